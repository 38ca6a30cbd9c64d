// Starts the guide: loads the module, scales the window down whole where the
// screen is narrower than it, repaints crisply when the device's pixel ratio
// changes, and registers the worker that keeps the guide for offline use.
'use strict';

(() => {
  const main = document.getElementById('Form1');
  // The window keeps its width in CSS pixels (its layout's); a narrower
  // page shows it scaled down whole, never reflowed.
  function fit() {
    const s = Math.min(1, document.documentElement.clientWidth / main.offsetWidth);
    main.style.transform = s < 1 ? `scale(${s})` : '';
    Forms.setFitScale(s);
  }

  function watchScale(program) {
    let last = Forms.scale();
    const repaint = () => {
      fit();
      if (Forms.scale() !== last) {
        last = Forms.scale();
        program._forms_repaint(0);
      }
    };
    window.addEventListener('resize', repaint);
    const watchRatio = () => {
      matchMedia(`(resolution: ${window.devicePixelRatio}dppx)`).addEventListener('change', () => {
        repaint();
        watchRatio();
      }, { once: true });
    };
    watchRatio();
  }

  // The worker is registered once the first photograph is shown: its install
  // fetches the whole site, which would otherwise compete with the first frame.
  function keepOffline() {
    if ('serviceWorker' in navigator && window.isSecureContext) {
      navigator.serviceWorker.register('sw.js').catch(() => { /* the guide works without it */ });
    }
  }

  createMirteka().then((program) => {
    Forms.connect(program);
    fit();
    program._mirteka_start();
    watchScale(program);
    Forms.idle().then(keepOffline);
  });
})();
