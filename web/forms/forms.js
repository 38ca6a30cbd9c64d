// The browser's forms toolkit, which knows nothing of the guide: surfaces
// that rasterise the core's drawing list onto canvases with the labels as
// page text between them, the windowed controls, the menu bar, modal message
// boxes and windows, and the queue through which the page hands events to
// the program one at a time. The program's C++ calls in through `Forms`.
'use strict';

const Forms = (() => {
  // The toolkit's own words, as the desktop message boxes show them.
  // A caption of the core's desktop words, "はい(&Y)": its text and its access key.
  function word(caption) {
    const match = /^(.*)\(&(.)\)$/.exec(caption);
    return match ? { text: match[1], key: match[2].toUpperCase() } : { text: caption };
  }
  const kResult = { ok: 1, yes: 6, no: 7 };

  // System colours by drawing role (drawing::Role): the desktop's classic palette.
  const kRoles = [null, '#efefef', '#000000', '#000000', '#ffffff'];
  const kStepInts = 13; // op, row, x, y, w, h, role, rgb, x1, y1, x2, y2, thickness
  const Op = { Fill: 0, Line: 1, Label: 2, Picture: 3 };

  const surfaces = new Map();
  let fitScale = 1;

  function colour(role, rgb) {
    if (role !== 0) return kRoles[role];
    return '#' + (rgb & 0xffffff).toString(16).padStart(6, '0');
  }

  // Device pixels to one CSS pixel of the page as it is drawn now.
  function scale() {
    return (window.devicePixelRatio || 1) * fitScale;
  }

  function css(px) {
    return px + 'px';
  }

  // --- Surfaces: a window's client area ---

  function createSurface(id, host, width, height) {
    const element = document.createElement('div');
    element.className = 'surface';
    element.style.width = css(width);
    element.style.height = css(height);
    host.appendChild(element);
    const surface = {
      element,
      width,
      height,
      labels: new Map(),
      pictures: new Map(),
      smooth: new Map(),
      layers: [],
    };
    surfaces.set(id, surface);
    return surface;
  }

  function fontCss(face, points, weight) {
    // The face the layout names first, then the stand-ins a machine may have.
    const faces = [face, 'MS PGothic', 'IPAPGothic', 'IPA Pゴシック', 'Noto Sans CJK JP', 'sans-serif'];
    return `${weight} ${points}pt ${faces.map((f) => (f === 'sans-serif' ? f : `"${f}"`)).join(', ')}`;
  }

  // A label: its caption as page text, placed and clipped by the drawing list.
  // Returns the caption's own extent in CSS pixels, for labels that size themselves.
  function addLabel(surfaceId, row, id, caption, face, points, weight, wrapsAnywhere) {
    const surface = surfaces.get(surfaceId);
    const label = document.createElement('div');
    label.id = id;
    label.className = wrapsAnywhere ? 'label wraps' : 'label';
    label.style.font = fontCss(face, points, weight);
    label.textContent = caption;
    surface.element.appendChild(label);
    surface.labels.set(row, label);
    const inner = document.createElement('span');
    inner.style.font = label.style.font;
    inner.className = 'measure';
    inner.textContent = caption;
    document.body.appendChild(inner); // measured where nothing hides it
    const size = [inner.offsetWidth, inner.offsetHeight];
    inner.remove();
    return size;
  }

  function setPicture(surfaceId, row, pixels, width, height, smooth) {
    const surface = surfaces.get(surfaceId);
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    canvas.getContext('2d').putImageData(new ImageData(pixels, width, height), 0, 0);
    surface.pictures.set(row, canvas);
    surface.smooth.set(row, smooth);
  }

  // A picture from the site's folder (the icon), drawn once it has arrived.
  function setPictureUrl(surfaceId, row, url, repaint) {
    const surface = surfaces.get(surfaceId);
    const image = new Image();
    image.onload = () => {
      surface.pictures.set(row, image);
      surface.smooth.set(row, false);
      repaint();
    };
    image.src = url;
  }

  // Runs of steps between labels go onto a canvas each, so that a label lies
  // above what was drawn before it and below what follows, as in the list.
  function runsOf(steps) {
    const runs = [];
    let run = null;
    for (let i = 0; i < steps.length; i += kStepInts) {
      const s = steps.subarray(i, i + kStepInts);
      if (s[0] === Op.Label) {
        runs.push({ label: s });
        run = null;
        continue;
      }
      if (!run) {
        run = { steps: [], x0: Infinity, y0: Infinity, x1: -Infinity, y1: -Infinity };
        runs.push(run);
      }
      run.steps.push(s);
      const pad = s[0] === Op.Line ? s[12] : 0;
      run.x0 = Math.min(run.x0, s[2] - pad);
      run.y0 = Math.min(run.y0, s[3] - pad);
      run.x1 = Math.max(run.x1, s[2] + s[4] + pad);
      run.y1 = Math.max(run.y1, s[3] + s[5] + pad);
    }
    return runs;
  }

  function drawStep(surface, g, s) {
    const [op, row, x, y, w, h, role, rgb, x1, y1, x2, y2, t] = s;
    switch (op) {
      case Op.Fill:
        g.fillStyle = colour(role, rgb);
        g.fillRect(x, y, w, h);
        break;
      case Op.Line: {
        g.strokeStyle = colour(role, rgb);
        g.lineWidth = t;
        g.lineCap = 'square';
        g.beginPath();
        g.moveTo(x1 + 0.5, y1 + 0.5);
        g.lineTo(x2 + 0.5, y2 + 0.5);
        g.stroke();
        break;
      }
      case Op.Picture: {
        const picture = surface.pictures.get(row);
        if (picture) {
          g.imageSmoothingEnabled = surface.smooth.get(row);
          g.drawImage(picture, x, y, w, h);
        }
        break;
      }
    }
  }

  // The whole client area from the drawing list `steps` (device pixels at `deviceScale`).
  function paint(surfaceId, steps, deviceScale) {
    const surface = surfaces.get(surfaceId);
    for (const layer of surface.layers) layer.remove();
    surface.layers = [];
    let z = 1;
    for (const run of runsOf(steps)) {
      if (run.label) {
        const [, row, x, y, w, h, role, rgb] = run.label;
        const label = surface.labels.get(row);
        Object.assign(label.style, {
          left: css(x / deviceScale),
          top: css(y / deviceScale),
          width: css(w / deviceScale),
          height: css(h / deviceScale),
          color: colour(role, rgb),
          zIndex: z++,
        });
        continue;
      }
      if (run.x1 <= run.x0 || run.y1 <= run.y0) continue;
      const canvas = document.createElement('canvas');
      canvas.setAttribute('aria-hidden', 'true');
      canvas.width = run.x1 - run.x0;
      canvas.height = run.y1 - run.y0;
      Object.assign(canvas.style, {
        left: css(run.x0 / deviceScale),
        top: css(run.y0 / deviceScale),
        width: css(canvas.width / deviceScale),
        height: css(canvas.height / deviceScale),
        zIndex: z++,
      });
      const g = canvas.getContext('2d');
      g.translate(-run.x0, -run.y0);
      for (const s of run.steps) drawStep(surface, g, s);
      surface.element.insertBefore(canvas, surface.element.firstChild);
      surface.layers.push(canvas);
    }
    surface.element.dataset.painted = String(Number(surface.element.dataset.painted || 0) + 1);
  }

  // --- Windowed controls, above all painting ---

  function place(element, rect, depth) {
    Object.assign(element.style, {
      left: css(rect[0]),
      top: css(rect[1]),
      width: css(rect[2]),
      height: css(rect[3]),
      zIndex: 1000 - depth,
    });
  }

  function group(surfaceId, name) {
    const surface = surfaces.get(surfaceId);
    let element = surface.element.querySelector(`[data-group="${name}"]`);
    if (!element) {
      element = document.createElement('div');
      element.setAttribute('role', 'radiogroup');
      element.dataset.group = name;
      element.setAttribute('aria-label', name);
      surface.element.appendChild(element);
    }
    return element;
  }

  // An option button: a real radio button of the group `groupName`, with its
  // back colour. The arrow keys walk the group in its order (the order the
  // buttons are added), round and round, pressing each; Enter presses too.
  function addOption(surfaceId, objectName, rect, depth, back, caption, checked, groupName,
                     accessibleName, description, onClick) {
    const box = document.createElement('label');
    box.className = 'option';
    box.id = objectName;
    box.style.background = colour(0, back);
    place(box, rect, depth);
    const input = document.createElement('input');
    input.type = 'radio';
    input.name = groupName;
    input.checked = checked;
    input.setAttribute('aria-label', accessibleName);
    input.setAttribute('aria-description', description);
    box.appendChild(input);
    if (caption) box.appendChild(document.createTextNode(caption));
    const owner = group(surfaceId, groupName);
    owner.appendChild(box);
    input.addEventListener('click', onClick);
    input.addEventListener('keydown', (event) => {
      const step = { ArrowLeft: -1, ArrowUp: -1, ArrowRight: 1, ArrowDown: 1 }[event.key];
      if (event.key === 'Enter') {
        event.preventDefault();
        input.click();
      } else if (step) {
        event.preventDefault();
        const all = [...owner.querySelectorAll('input')];
        const next = all[(all.indexOf(input) + step + all.length) % all.length];
        next.focus();
        next.click();
      }
    });
    return input;
  }

  function addCommand(surfaceId, objectName, rect, depth, caption, description, onClick) {
    const button = document.createElement('button');
    button.type = 'button';
    button.className = 'command';
    button.id = objectName;
    button.textContent = caption;
    button.setAttribute('aria-description', description);
    place(button, rect, depth);
    button.addEventListener('click', onClick);
    surfaces.get(surfaceId).element.appendChild(button);
    return button;
  }

  function addTextBox(surfaceId, objectName, rect, depth, accessibleName, description) {
    const box = document.createElement('textarea');
    box.className = 'textbox';
    box.id = objectName;
    box.spellcheck = false;
    box.setAttribute('aria-label', accessibleName);
    box.setAttribute('aria-description', description);
    place(box, rect, depth);
    surfaces.get(surfaceId).element.appendChild(box);
    return box;
  }

  // A painted item that screen readers see as a picture.
  function addImageAccess(surfaceId, objectName, rect, name, description) {
    const element = document.createElement('div');
    element.className = 'access';
    element.id = objectName;
    element.setAttribute('role', 'img');
    element.setAttribute('aria-label', name);
    if (description) element.setAttribute('aria-description', description);
    place(element, rect, 0);
    element.style.zIndex = '';
    surfaces.get(surfaceId).element.appendChild(element);
    return element;
  }

  // --- The menu bar: commands, not menus ---

  // A lone Alt or F10 enters the bar and leaves it again, giving the focus
  // back; Left and Right move along it, Esc leaves it. While a modal window
  // is open, the keys are its own.
  const bars = new Map();

  function addMenuItem(host, id, caption, description, onClick) {
    let bar = bars.get(host);
    if (!bar) {
      bar = { element: document.createElement('div'), items: [] };
      bar.element.className = 'menubar';
      bar.element.setAttribute('role', 'menubar');
      host.appendChild(bar.element);
      bars.set(host, bar);
      watchMenuKeys(bar);
    }
    const item = document.createElement('button');
    item.type = 'button';
    item.id = id;
    item.tabIndex = -1;
    item.setAttribute('role', 'menuitem');
    item.setAttribute('aria-description', description);
    item.textContent = caption;
    item.addEventListener('click', () => {
      bar.leave();
      onClick();
    });
    bar.element.appendChild(item);
    bar.items.push(item);
  }

  function watchMenuKeys(bar) {
    let returnTo = null;
    const inBar = () => bar.items.includes(document.activeElement);
    const enter = () => {
      returnTo = document.activeElement;
      bar.items[0].focus();
    };
    bar.leave = () => {
      if (!inBar()) return;
      if (returnTo && returnTo.isConnected) returnTo.focus();
      else document.activeElement.blur();
    };
    let loneAlt = false;
    document.addEventListener('keydown', (event) => {
      if (modalOpen()) return;
      loneAlt = event.key === 'Alt' && !event.repeat;
      if (event.key === 'F10' && !event.shiftKey && !event.altKey) {
        event.preventDefault();
        inBar() ? bar.leave() : enter();
      } else if (inBar()) {
        const i = bar.items.indexOf(document.activeElement);
        if (event.key === 'ArrowRight' || event.key === 'ArrowLeft') {
          event.preventDefault();
          const step = event.key === 'ArrowRight' ? 1 : bar.items.length - 1;
          bar.items[(i + step) % bar.items.length].focus();
        } else if (event.key === 'Escape') {
          event.preventDefault();
          bar.leave();
        }
      }
    });
    document.addEventListener('keyup', (event) => {
      if (event.key !== 'Alt' || !loneAlt || modalOpen()) return;
      loneAlt = false;
      event.preventDefault();
      inBar() ? bar.leave() : enter();
    });
  }

  // --- Modal windows ---

  let modalDepth = 0;

  function modalOpen() {
    return modalDepth > 0;
  }

  // A dialog with a caption bar; Esc closes nothing unless `onEscape` says what it does.
  function dialog(caption, className, onEscape) {
    const element = document.createElement('dialog');
    element.className = className;
    const title = document.createElement('div');
    title.className = 'caption';
    title.id = `caption-${Math.random().toString(36).slice(2)}`;
    title.textContent = caption;
    element.appendChild(title);
    element.setAttribute('aria-labelledby', title.id);
    element.addEventListener('keydown', (event) => {
      if (event.key !== 'Escape') return;
      event.preventDefault();
      if (onEscape) onEscape();
    });
    element.addEventListener('cancel', (event) => event.preventDefault());
    document.body.appendChild(element);
    return element;
  }

  // While a modal window waits for the user, the program is not busy.
  function showModal(element) {
    modalDepth++;
    showBusy();
    element.showModal();
    return new Promise((resolve) => {
      element.addEventListener('close', () => {
        modalDepth--;
        element.remove();
        showBusy();
        resolve();
      }, { once: true });
    });
  }

  // A window whose client area goes into the element `hostId`.
  function createWindow(hostId, caption) {
    const element = dialog(caption, 'window', null);
    const host = document.createElement('div');
    host.id = hostId;
    host.className = 'client';
    element.appendChild(host);
    return element;
  }

  // The caption bar's close box. It follows the client area in the page, so
  // that the window's first control takes the focus and Tab reaches it last.
  function addCloseBox(element, id, name, onClick) {
    const box = document.createElement('button');
    box.type = 'button';
    box.id = id;
    box.className = 'close-box';
    box.setAttribute('aria-label', name);
    box.addEventListener('click', onClick);
    element.appendChild(box);
    return box;
  }

  function windowOf(hostId) {
    const host = document.getElementById(hostId);
    return host ? host.closest('dialog') : null;
  }

  function button(word, onClick) {
    const element = document.createElement('button');
    element.type = 'button';
    element.textContent = word.text;
    if (word.key) {
      const key = document.createElement('u');
      key.textContent = word.key;
      element.append('(', key, ')');
      element.setAttribute('aria-keyshortcuts', word.key);
    }
    element.addEventListener('click', onClick);
    return element;
  }

  // A message box without an icon: OK, or はい and いいえ with はい focused;
  // resolves to the button's number (MsgBoxResult). Lines are joined by CR LF.
  // `words` are the buttons' captions as the core gives them: はい, いいえ, OK.
  async function messageBox(prompt, yesNo, caption, words) {
    const [kYes, kNo, kOk] = words.map(word);
    let answer = kResult.ok;
    const element = dialog(caption, 'msgbox', yesNo ? null : () => element.close());
    element.setAttribute('role', 'alertdialog');
    const text = document.createElement('p');
    text.className = 'prompt';
    text.id = `${element.getAttribute('aria-labelledby')}-prompt`;
    text.textContent = prompt.replace(/\r\n/g, '\n');
    element.setAttribute('aria-describedby', text.id);
    const row = document.createElement('div');
    row.className = 'buttons';
    const choose = (result) => () => {
      answer = result;
      element.close();
    };
    const buttons = yesNo
      ? [button(kYes, choose(kResult.yes)), button(kNo, choose(kResult.no))]
      : [button(kOk, choose(kResult.ok))];
    row.append(...buttons);
    element.append(text, row);
    if (yesNo) {
      element.addEventListener('keydown', (event) => {
        const key = event.key.toUpperCase();
        if (key === kYes.key) buttons[0].click();
        else if (key === kNo.key) buttons[1].click();
      });
    }
    const closed = showModal(element);
    buttons[0].focus();
    await closed;
    return answer;
  }

  // --- The program ---

  let program = null;
  const utf16 = new TextDecoder('utf-16le');

  function connect(module) {
    program = module;
  }

  // `length` UTF-16 units at `pointer` in the program's memory.
  function text(pointer, length) {
    return utf16.decode(program.HEAPU8.subarray(pointer, pointer + 2 * length));
  }

  // Runs the program's handler `id`: queued behind every earlier event, or at
  // once (a modal window's, while its opener's handler waits).
  function fire(id, queued) {
    if (!queued) {
      program._forms_event(id);
      return;
    }
    post(() => program.ccall('forms_event', null, ['number'], [id], { async: true }));
  }

  // The program has ended: the tab closes where the browser lets a page close
  // it, else the page is left empty; a reload starts afresh.
  function end() {
    window.close();
    document.documentElement.classList.remove('busy');
    document.body.replaceChildren();
    document.body.className = 'ended';
  }

  // --- Events to the program, one at a time ---

  // Each event waits for the one before it to end (a handler may wait for a
  // message box or a photograph); the pointer is busy meanwhile.
  let queue = Promise.resolve();
  let pending = 0;

  function showBusy() {
    document.documentElement.classList.toggle('busy', pending > 0 && modalDepth === 0);
  }

  function post(call) {
    pending++;
    showBusy();
    queue = queue.then(call).catch((error) => console.error(error)).finally(() => {
      pending--;
      showBusy();
    });
    return queue;
  }

  function idle() {
    return queue;
  }

  function setFitScale(s) {
    fitScale = s;
  }

  return {
    connect,
    text,
    fire,
    end,
    createWindow,
    addCloseBox,
    windowOf,
    addMenuItem,
    kStepInts,
    scale,
    setFitScale,
    createSurface,
    surface: (id) => surfaces.get(id),
    addLabel,
    setPicture,
    setPictureUrl,
    paint,
    addOption,
    addCommand,
    addTextBox,
    addImageAccess,
    modalOpen,
    dialog,
    showModal,
    button,
    word,
    messageBox,
    post,
    idle,
  };
})();
