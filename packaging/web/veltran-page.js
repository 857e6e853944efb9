// The browser edition's page: it fetches the game's content into the game's file
// system, keeps the player's folder in IndexedDB, fetches the music while the game
// plays, starts the game, and in the scripted mode of the tests (?script=) writes
// what the run left into #veltran-result.
'use strict';

(function () {
  // The game and its first content are asked for before anything else. The
  // WebAssembly module comes packed (a third of its size).
  const game = document.createElement('script');
  game.src = 'veltran.js';
  game.onerror = () => fail('veltran.js could not be loaded');
  // The game's file system is there as soon as its script has run: the content
  // is fetched while the WebAssembly module compiles, and laid in with the
  // player's folder as soon as the module's memory is there.
  let prepared = null;
  game.onload = () => {
    prepared = prepare();
    prepared.catch(() => {});  // told when the game asks for it
  };
  document.body.appendChild(game);
  const module = compileGame('veltran.wasm.gz');
  module.catch(() => {});  // told when the game asks for it
  // Whether WebGL runs on a GPU, asked beside the fetching (see gpuAsked).
  const gpu = gpuAsked();
  const content = Promise.all([
    fetchBytes('content/index.json').then((bytes) => JSON.parse(new TextDecoder().decode(bytes))),
    fetchBytes('content/start.pack.gz').then(gunzip),
  ]).then(([index, pack]) => ({index: index, pack: pack}));
  content.catch(() => {});  // told when the game asks for it
  // The browser's sound service takes a while to wake where it looks for devices;
  // woken now, beside the fetching, the game's sound opens at once later. (The
  // sound itself starts with the player's first gesture.)
  if (navigator.mediaDevices && navigator.mediaDevices.enumerateDevices)
    navigator.mediaDevices.enumerateDevices().catch(() => {});

  const params = new URLSearchParams(location.search);
  const script = params.get('script');
  const scripted = script !== null;
  const measuring = params.has('measure');
  const line = document.getElementById('veltran-line');
  const result = document.getElementById('veltran-result');
  const canvas = document.getElementById('canvas');

  // The game's memory is there once its module is instantiated; a file written
  // before then fails (the file system asks whether its bytes lie in that memory).
  let memoryReady = null;
  const memory = new Promise((done) => (memoryReady = done));

  // Where the game finds itself (see src/core/system_web.cpp).
  const CONTENT = '/game/content';
  const PLAYER = '/player';

  function say(text) {
    line.textContent = text;
    line.hidden = !text;
  }

  function fail(why) {
    console.error(why);
    say('Игра не может начаться: ' + why);
    if (scripted || measuring) result.textContent = 'error ' + why + '\n';
  }

  async function fetchOk(url) {
    const response = await fetch(url);
    if (!response.ok) throw new Error(url + ': ' + response.status + ' ' + response.statusText);
    return response;
  }

  async function fetchBytes(url) {
    return new Uint8Array(await (await fetchOk(url)).arrayBuffer());
  }

  // Packed files are gzip streams; a server that unpacked one on the way has left
  // the plain bytes.
  function packed(bytes) {
    return bytes.length >= 2 && bytes[0] === 0x1f && bytes[1] === 0x8b;
  }

  async function gunzip(bytes) {
    if (!packed(bytes)) return bytes;
    const stream = new Blob([bytes]).stream().pipeThrough(new DecompressionStream('gzip'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  // The WebAssembly module is compiled as it arrives and is unpacked, by the
  // browser's own threads: by the time the game's script has run, the module is
  // mostly or wholly compiled. Browsers without streaming compilation take the
  // whole file first.
  async function compileGame(url) {
    const response = await fetchOk(url);
    if (!WebAssembly.compileStreaming || !response.body)
      return WebAssembly.compile(await gunzip(new Uint8Array(await response.arrayBuffer())));
    // The first bytes say whether the file is still packed; they are given on.
    const reader = response.body.getReader();
    const first = await reader.read();
    const head = first.done ? new Uint8Array(0) : first.value;
    let stream = new ReadableStream({
      start(controller) {
        if (head.length > 0) controller.enqueue(head);
      },
      async pull(controller) {
        const next = await reader.read();
        if (next.done) controller.close();
        else controller.enqueue(next.value);
      },
      cancel(why) {
        return reader.cancel(why);
      },
    });
    if (packed(head)) stream = stream.pipeThrough(new DecompressionStream('gzip'));
    return WebAssembly.compileStreaming(
        new Response(stream, {headers: {'Content-Type': 'application/wasm'}}));
  }

  const folders = new Set();

  function makeFolders(FS, folder) {
    let at = '';
    for (const part of folder.split('/').filter(Boolean)) {
      at += '/' + part;
      if (folders.has(at)) continue;
      if (!FS.analyzePath(at).exists) FS.mkdir(at);
      folders.add(at);
    }
  }

  // The file keeps the bytes it is given (a pack's files are views into the pack).
  function writeFile(FS, path, bytes) {
    makeFolders(FS, path.slice(0, path.lastIndexOf('/')));
    FS.writeFile(path, bytes, {canOwn: true});
  }

  // The content pack: "VPAK", then for each file its name's length (u32, little
  // endian), its name (UTF-8, from the content folder), its size (u32) and bytes.
  function unpack(FS, bytes) {
    const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
    const utf8 = new TextDecoder();
    if (bytes.length < 4 || utf8.decode(bytes.subarray(0, 4)) !== 'VPAK')
      throw new Error('the content pack has no mark');
    let at = 4;
    while (at < bytes.length) {
      if (at + 4 > bytes.length) throw new Error('the content pack is cut short');
      const n = view.getUint32(at, true);
      if (at + 4 + n + 4 > bytes.length) throw new Error('the content pack is cut short');
      const name = utf8.decode(bytes.subarray(at + 4, at + 4 + n));
      const size = view.getUint32(at + 4 + n, true);
      at += 8 + n;
      if (at + size > bytes.length || name.includes('..'))
        throw new Error('the content pack is damaged at ' + name);
      writeFile(FS, CONTENT + '/' + name, bytes.subarray(at, at + size));
      at += size;
    }
  }

  // --- files that come later: the books and the music, fetched while the game plays

  // Each file still to come -> its entry in the queue: a pack of files, or one file.
  const later = new Map();
  let queue = [];  // the entries still to fetch, the next first
  let fetching = 0;
  const waiters = [];  // {path, done}: the game waits for these

  async function fetchEntry(entry) {
    const FS = Module.FS;
    if (entry.pack) {
      unpack(FS, await fetchBytes('content/' + entry.pack).then(gunzip));
      for (const name of entry.files) later.delete(CONTENT + '/' + name);
    } else {
      const address = 'content/' + entry.file.split('/').map(encodeURIComponent).join('/');
      writeFile(FS, CONTENT + '/' + entry.file, await fetchBytes(address));
      later.delete(CONTENT + '/' + entry.file);
    }
    for (let i = waiters.length - 1; i >= 0; --i) {
      if (!later.has(waiters[i].path)) waiters.splice(i, 1)[0].done();
    }
  }

  function fetchNext() {
    while (fetching < 2 && queue.length > 0) {
      const entry = queue.shift();
      ++fetching;
      fetchEntry(entry).catch((why) => {
        // Offline, say: tried again later, after the others.
        console.warn(why);
        setTimeout(() => { queue.push(entry); fetchNext(); }, 5000);
      }).finally(() => {
        --fetching;
        fetchNext();
      });
    }
  }

  // A file the game asks for comes next; the fetching itself starts once the first
  // picture is up, or at once when the game waits for the file.
  function hurry(path) {
    const at = queue.indexOf(later.get(path));
    if (at > 0) queue.unshift(queue.splice(at, 1)[0]);
  }

  function arrival(path) {
    if (!later.has(path)) return Promise.resolve();
    hurry(path);
    fetchNext();
    return new Promise((done) => waiters.push({path: path, done: done}));
  }

  async function fetchAllNow() {
    await Promise.all(queue.map(fetchEntry));
    queue = [];
  }

  // --- the player's folder in IndexedDB ------------------------------------------

  let storing = Promise.resolve('');
  let stopped = '';  // why the game could not start, as it said
  let started = false;

  // One store after another; each resolves to "" or the storage's reason.
  function store() {
    storing = storing.then(() => new Promise((done) => {
      Module.FS.syncfs(false, (err) => done(err ? String(err.name || err.message || err) : ''));
    }));
    return storing;
  }

  function loadPlayer() {
    return new Promise((done, refuse) => {
      Module.FS.syncfs(true, (err) => (err ? refuse(err) : done()));
    });
  }

  // --- the game's side ------------------------------------------------------------

  function download(path) {
    if (scripted) return;
    const bytes = Module.FS.readFile(path);
    const url = URL.createObjectURL(new Blob([bytes], {type: 'image/bmp'}));
    const a = document.createElement('a');
    a.href = url;
    a.download = path.slice(path.lastIndexOf('/') + 1);
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(() => URL.revokeObjectURL(url), 60000);
  }

  // WebGL drawn by the CPU (SwiftShader, llvmpipe) is slower than the game's own
  // scaling; the renderer's true name is asked of a throwaway context. Null when
  // the canvas gives no WebGL context.
  function webglOnGpu(canvas) {
    try {
      const gl = canvas.getContext('webgl');
      if (!gl) return null;
      const info = gl.getExtension('WEBGL_debug_renderer_info');
      const name = info ? String(gl.getParameter(info.UNMASKED_RENDERER_WEBGL)) : '';
      const lose = gl.getExtension('WEBGL_lose_context');
      if (lose) lose.loseContext();
      return !/swiftshader|llvmpipe|softpipe|software/i.test(name);
    } catch (e) {
      return null;
    }
  }

  // A first WebGL context takes the page a tenth of a second or more while the
  // browser starts its graphics: it is made in a worker, on an offscreen canvas,
  // while the page goes on fetching. Where a worker cannot make one (a browser
  // whose offscreen canvases draw only in 2D), the page asks itself.
  function gpuAsked() {
    const here = () => webglOnGpu(document.createElement('canvas')) === true;
    if (typeof Worker === 'undefined' || typeof OffscreenCanvas === 'undefined')
      return Promise.resolve(here());
    return new Promise((done) => {
      let worker = null;
      let url = '';
      const answer = (value) => {
        if (worker) worker.terminate();
        if (url) URL.revokeObjectURL(url);
        worker = null;
        url = '';
        done(value === null ? here() : value);
      };
      try {
        const code = '"use strict";\nconst webglOnGpu = ' + webglOnGpu.toString() + ';\n' +
            'postMessage(webglOnGpu(new OffscreenCanvas(1, 1)));\n';
        url = URL.createObjectURL(new Blob([code], {type: 'text/javascript'}));
        worker = new Worker(url);
        worker.onmessage = (e) => answer(typeof e.data === 'boolean' ? e.data : null);
        worker.onerror = (e) => {
          e.preventDefault();
          answer(null);
        };
        // A worker that never answers is not waited for.
        setTimeout(() => worker && answer(null), 3000);
      } catch (e) {
        answer(null);
      }
    });
  }

  function audioRunning() {
    const sdl = Module.SDL2;
    return sdl && sdl.audioContext && sdl.audioContext.state === 'running';
  }

  function soundLine() {
    if (scripted || audioRunning()) {
      say('');
      return;
    }
    say('Звук включится после первого нажатия');
    const heard = () => {
      setTimeout(() => audioRunning() && say(''), 200);
    };
    for (const what of ['pointerdown', 'keydown', 'touchstart'])
      addEventListener(what, heard, {capture: true});
  }

  // The first time the game sleeps, its first picture (the title) is on the canvas.
  function firstPicture() {
    const ms = performance.now();
    soundLine();
    if (!measuring) {
      if (!scripted) fetchNext();
      return;
    }
    let bytes = 0;
    for (const e of performance.getEntriesByType('navigation').concat(
             performance.getEntriesByType('resource')))
      bytes += e.transferSize || e.encodedBodySize || 0;
    const text = 'title ' + Math.round(ms) + ' ms ' + bytes + ' bytes';
    result.textContent = text + '\n';
    // The server counts what it sent before this word: the rest comes after.
    fetch('title-shown?' + encodeURIComponent(text)).catch(() => {}).finally(fetchNext);
  }

  async function finish(status) {
    if (!scripted) return;
    const FS = Module.FS;
    const out = [];
    const log = PLAYER + '/Report.txt';
    if (FS.analyzePath(log).exists) {
      const text = new TextDecoder('windows-1251').decode(FS.readFile(log));
      const lines = text.split('\n');
      // The lines after the header (the only one that holds the time).
      const header = lines.findIndex((l) => l.includes('открыт в '));
      out.push(...lines.slice(header + 1));
      if (out.length > 0 && out[out.length - 1] === '') out.pop();
    }
    for (const command of script.split(';')) {
      const m = /^\s*shot\s+(\S+)/.exec(command);
      if (!m) continue;
      const path = '/' + m[1];
      let hash = 'missing';
      if (FS.analyzePath(path).exists) {
        const digest = await crypto.subtle.digest('SHA-256', FS.readFile(path));
        hash = Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, '0')).join('');
      }
      out.push('shot ' + m[1] + ' ' + hash);
    }
    out.push('exit ' + status);
    result.textContent = out.join('\n') + '\n';
    await store();
  }

  // --- before the game starts -------------------------------------------------------


  async function prepare() {
    const FS = Module.FS;
    makeFolders(FS, CONTENT);
    makeFolders(FS, PLAYER);
    makeFolders(FS, '/cache');
    FS.mount(FS.filesystems.IDBFS, {}, PLAYER);
    // The player's database is opened now; its files are read into the game's
    // file system once the game's memory is there.
    FS.filesystems.IDBFS.getDB(PLAYER, () => {});
    const [{index, pack}, onGpu] = await Promise.all([content, gpu, memory.then(loadPlayer)]);
    Module.veltranGpu = onGpu;
    unpack(FS, pack);
    // What comes later is there from the start, each file empty until it arrives.
    for (const entry of index.later) {
      for (const name of entry.pack ? entry.files : [entry.file]) {
        writeFile(FS, CONTENT + '/' + name, new Uint8Array(0));
        later.set(CONTENT + '/' + name, entry);
      }
      queue.push(entry);
    }
    // A scripted run plays the same game on every system: all its files first.
    if (scripted) await fetchAllNow();
    // The books a test names, and no others.
    if (params.has('books')) {
      const keep = new Set(params.get('books').split(',').map((b) => b + '.txt'));
      for (const name of FS.readdir(CONTENT + '/HScripts'))
        if (name.endsWith('.txt') && !keep.has(name)) FS.unlink(CONTENT + '/HScripts/' + name);
    }
  }

  const Module = (window.Module = {
    canvas: canvas,
    print: (text) => console.log(text),
    printErr: (text) => {
      // The game says why it cannot start in a line of its own.
      if (text.startsWith('veltran: ')) stopped = text.slice(9);
      console.warn(text);
    },
    preRun: [() => {
      const ENV = Module.ENV;
      if (scripted) {
        const text = script.split(';').map((l) => l.trim()).join('\n') + '\n';
        Module.FS.writeFile('/script.txt', text);
        ENV.VELTRAN_SCRIPT = '/script.txt';
        // Unseen, as on the desktop, but with the browser's sound: its silent
        // stand-in needs threads.
        ENV.SDL_AUDIODRIVER = 'emscripten';
      }
      if (params.has('seed')) ENV.VELTRAN_SEED = params.get('seed');
      if (params.has('autoplay')) ENV.VELTRAN_AUTOPLAY = params.get('autoplay');
      Module.addRunDependency('veltran-content');
      (prepared || (prepared = prepare())).then(() => {
        // Only now: a store before the player's folder was read would empty it.
        started = true;
        Module.removeRunDependency('veltran-content');
      }, (why) => fail(why && why.message ? why.message : String(why)));
    }],
    instantiateWasm: (imports, receive) => {
      module.then((compiled) => WebAssembly.instantiate(compiled, imports).then((instance) => {
        receive(instance, compiled);
        memoryReady();
      })).catch((why) => fail('the game could not be loaded: ' + why));
      return {};
    },
    onExit: (status) => {
      started = false;
      if (status !== 0 && stopped)
        say('Игра не может начаться: ' + stopped);
      else
        say(scripted ? '' : 'Игра окончена. Обновите страницу, чтобы начать снова.');
      finish(status);
    },
    // Called by the game (src/core/system_web.cpp).
    veltranStore: store,
    veltranArrived: (path) => {
      if (!later.has(path)) return true;
      hurry(path);
      return false;
    },
    veltranArrival: arrival,
    veltranDownload: download,
    veltranFirstSleep: firstPicture,
  });

  // The player's folder is stored now and then while the game runs (the log), and
  // when the page is hidden or left.
  setInterval(() => started && store(), 3000);
  addEventListener('pagehide', () => started && store());
  document.addEventListener('visibilitychange', () => {
    if (document.visibilityState === 'hidden' && started) store();
  });

  canvas.addEventListener('contextmenu', (e) => e.preventDefault());
  document.getElementById('veltran-full').addEventListener('click', () => {
    const asked = document.fullscreenElement ? document.exitFullscreen()
                                             : document.documentElement.requestFullscreen();
    Promise.resolve(asked).catch(() => {}).finally(() => canvas.focus());
  });

  if ('serviceWorker' in navigator && !scripted && !measuring)
    navigator.serviceWorker.register('sw.js').catch((why) => console.warn(why));

})();
