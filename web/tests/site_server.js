// A static server for the tests and benchmarks: serves one folder on a free
// local port, with the types a browser needs, and nothing else.
'use strict';

const http = require('http');
const fs = require('fs');
const path = require('path');

const kTypes = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript; charset=utf-8',
  '.css': 'text/css; charset=utf-8',
  '.wasm': 'application/wasm',
  '.jpg': 'image/jpeg',
  '.png': 'image/png',
  '.webmanifest': 'application/manifest+json',
};

// Serves `folder`; resolves to { url, requests, close }. `requests` lists
// every path asked for, with the bytes sent for it.
function serve(folder) {
  const requests = [];
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname).replace(/\/$/, '/index.html');
    const file = path.join(folder, path.normalize(name).replace(/^(\.\.[/\\])+/, ''));
    fs.readFile(file, (error, data) => {
      if (error) {
        requests.push({ path: name, status: 404, bytes: 0 });
        response.writeHead(404, { 'Content-Type': 'text/plain' });
        response.end('not found');
        return;
      }
      requests.push({ path: name, status: 200, bytes: data.length });
      response.writeHead(200, {
        'Content-Type': kTypes[path.extname(file)] || 'application/octet-stream',
        'Cache-Control': 'no-cache',
      });
      response.end(data);
    });
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}/`,
        requests,
        close: () => new Promise((done) => {
          server.close(done);
          server.closeAllConnections(); // kept-alive ones too: nothing answers after this
        }),
      });
    });
  });
}

module.exports = { serve };
