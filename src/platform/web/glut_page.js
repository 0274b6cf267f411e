// glut_page.js -- the page's side of GLUT: the canvas as the window, its keys, pointer and menus, the timers,
// the frame loop, and the hold a blocking cue puts on all of them (an Emscripten JavaScript library).
//
// The program's callbacks are called as a desktop GLUT calls them: input and timers as they come, the idle
// callback and then the display (when a redisplay was asked for) once a frame, at the page's frame rate.
// While a blocking cue plays, as while the desktop program waits in its cue player, nothing is drawn and
// the input and timers that come wait, in order, until the cue has played.
//
// What the page itself shows (the console panel, the menu, the notes and the end) is Module.page, from
// page.js.
//
// Implemented features:
//  [X] every character key as GLUT's byte (Latin-1 and below), F1 to F12, the arrows, Page Up and Down, Home,
//      End and Insert as GLUT's special keys; the browser's own action for each cancelled
//  [X] a drag with the left or middle button, in the canvas's pixels, going on outside the canvas
//  [X] the right button's menu (drawn by page.js), the browser's own menu cancelled over the canvas
//  [X] timers, the idle callback and redisplay requests, one frame per animation frame of the page
//  [X] the hold of a blocking cue over frames, input and timers, which then come in order
//  [X] full screen from the page's button, with the window's size back after it
// Missing features:
//  [ ] keys with Ctrl, Alt or Meta, which are left to the browser (the program's keys need none)
//  [ ] touch screens: never tried (a touch comes as a pointer with the left button)

mergeInto(LibraryManager.library, {
  $PageGlut__deps: ['$GL', '$handleException'],
  $PageGlut: {
    canvas: null,
    title: null,
    started: 0,
    callbacks: [0, 0, 0, 0, 0, 0], // display, reshape, keyboard, special, motion, idle (page_calls.h)
    redisplay: false,
    looping: false,
    windowGone: false,
    // The window's size apart from full screen, for coming back from it.
    windowWidth: 0,
    windowHeight: 0,
    pointerX: 0,
    pointerY: 0,
    dragButtons: 0,
    menus: [null], // GLUT's menu numbers start at 1: {callback, items: [{label, value} or {label, menu}]}
    currentMenu: 0,
    rightButtonMenu: 0,
    // The hold of a blocking cue: its timer, what waits for its end, and who is told of it first.
    holdTimer: null,
    holdEnds: 0,
    waiting: [],
    releaseListeners: [],
    // The frame log the benchmark reads: requestAnimationFrame's intervals and the display callback's time.
    frameLog: { intervals: [], displayMs: [], limit: 100000 },
    lastFrameTime: 0,

    // Special keys by the browser's key names, with GLUT's values (GL/glut.h).
    specialKeys: {
      F1: 1, F2: 2, F3: 3, F4: 4, F5: 5, F6: 6, F7: 7, F8: 8, F9: 9, F10: 10, F11: 11, F12: 12,
      ArrowLeft: 100, ArrowUp: 101, ArrowRight: 102, ArrowDown: 103,
      PageUp: 104, PageDown: 105, Home: 106, End: 107, Insert: 108,
    },
    // Character keys that the browser names rather than spells, with the bytes X gives GLUT for them.
    namedCharacters: { Escape: 27, Enter: 13, Tab: 9, Backspace: 8, Delete: 127 },

    ended: function() {
      return ABORT || runtimeExited;
    },

    // Runs the program's code, ending quietly where the program exits (std::exit ends a callback).
    call: function(code) {
      if (PageGlut.ended()) return;
      try {
        code();
      } catch (e) {
        handleException(e);
      }
    },

    // A function of the program's table, which is how C hands the page its callbacks.
    tableEntry: function(index) {
      return wasmTable.get(index);
    },

    callback: function(which) {
      const index = PageGlut.callbacks[which];
      return index ? PageGlut.tableEntry(index) : null;
    },

    // Input and timers: at once, or after the blocking cue that holds the program.
    deliver: function(code) {
      if (PageGlut.holdTimer !== null) PageGlut.waiting.push(code);
      else PageGlut.call(code);
    },

    hold: function(ms) {
      const ends = performance.now() + Math.max(0, ms);
      if (PageGlut.holdTimer !== null) {
        if (ends <= PageGlut.holdEnds) return;
        clearTimeout(PageGlut.holdTimer);
      }
      PageGlut.holdEnds = ends;
      PageGlut.holdTimer = setTimeout(PageGlut.release, ends - performance.now());
    },

    release: function() {
      PageGlut.holdTimer = null;
      // The cues the program asked for after the blocking one come first, as they did in the program.
      PageGlut.releaseListeners.forEach(function(listener) {
        listener();
      });
      while (PageGlut.holdTimer === null && PageGlut.waiting.length > 0 && !PageGlut.ended())
        PageGlut.call(PageGlut.waiting.shift());
    },

    // Canvas pixels of a pointer event: the canvas may be drawn larger or smaller than its pixels.
    pointerPosition: function(event) {
      const box = PageGlut.canvas.getBoundingClientRect();
      const x = ((event.clientX - box.left) * PageGlut.canvas.width) / (box.width || 1);
      const y = ((event.clientY - box.top) * PageGlut.canvas.height) / (box.height || 1);
      PageGlut.pointerX = Math.floor(x);
      PageGlut.pointerY = Math.floor(y);
    },

    onKeyDown: function(event) {
      if (PageGlut.ended() || PageGlut.windowGone) return;
      const page = Module['page'];
      if (page && page.menuOpen()) {
        // Escape closes the menu, as a desktop menu takes it; other keys go on to the program.
        if (event.key === 'Escape') {
          event.preventDefault();
          page.closeMenu();
          return;
        }
      }
      // Esc in full screen is the browser's: it leaves full screen, as every full-screen page does.
      if (event.key === 'Escape' && document.fullscreenElement) return;
      const special = PageGlut.specialKeys[event.key];
      if (special !== undefined) {
        // F1 (help), F5 (reload), F11 (full screen) and F12 (developer tools) are the program's here.
        event.preventDefault();
        const onSpecial = PageGlut.callback(3);
        if (onSpecial)
          PageGlut.deliver(function() {
            onSpecial(special, PageGlut.pointerX, PageGlut.pointerY);
          });
        return;
      }
      // With Ctrl, Alt or the Meta key a key is the browser's (Ctrl+R, Ctrl+W, Alt+Left, ...).
      if (event.ctrlKey || event.altKey || event.metaKey) return;
      let code = PageGlut.namedCharacters[event.key];
      if (code === undefined && event.key.length === 1) code = event.key.charCodeAt(0);
      // GLUT hands the program one byte: Latin-1 and below.
      if (code === undefined || code > 255) return;
      event.preventDefault();
      const onKeyboard = PageGlut.callback(2);
      if (onKeyboard)
        PageGlut.deliver(function() {
          onKeyboard(code, PageGlut.pointerX, PageGlut.pointerY);
        });
    },

    onPointerDown: function(event) {
      if (PageGlut.ended() || PageGlut.windowGone) return;
      PageGlut.pointerPosition(event);
      // The right button is the menu's (the contextmenu event); the others drag.
      if (event.button === 2) return;
      PageGlut.dragButtons |= 1 << event.button;
      // As X grabs the pointer for a pressed button, the drag goes on outside the canvas.
      PageGlut.canvas.setPointerCapture(event.pointerId);
      event.preventDefault();
    },

    onPointerMove: function(event) {
      if (PageGlut.ended() || PageGlut.windowGone) return;
      PageGlut.pointerPosition(event);
      if (PageGlut.dragButtons === 0) return;
      const onMotion = PageGlut.callback(4);
      const x = PageGlut.pointerX;
      const y = PageGlut.pointerY;
      if (onMotion)
        PageGlut.deliver(function() {
          onMotion(x, y);
        });
    },

    onPointerUp: function(event) {
      if (event.button !== 2) PageGlut.dragButtons &= ~(1 << event.button);
    },

    // The menu tree as the page draws it: every entry knows its menu, whose callback it calls.
    menuModel: function(number, depth) {
      const menu = PageGlut.menus[number];
      // GLUT forbids a menu inside itself; a depth limit keeps a faulty tree from looping here.
      if (!menu || depth > 8) return [];
      return menu.items.map(function(item) {
        if (item.menu !== undefined) return { label: item.label, items: PageGlut.menuModel(item.menu, depth + 1) };
        return { label: item.label, menu: number, value: item.value };
      });
    },

    onContextMenu: function(event) {
      // Over the canvas the right button is the program's menu, never the browser's.
      event.preventDefault();
      if (PageGlut.ended() || PageGlut.windowGone || !PageGlut.rightButtonMenu) return;
      const page = Module['page'];
      if (!page) return;
      page.openMenu(PageGlut.menuModel(PageGlut.rightButtonMenu, 0), event.clientX, event.clientY, function(entry) {
        const menu = PageGlut.menus[entry.menu];
        const onChoice = PageGlut.tableEntry(menu.callback);
        PageGlut.deliver(function() {
          onChoice(entry.value);
        });
      });
    },

    reshape: function(width, height) {
      const onReshape = PageGlut.callback(1);
      PageGlut.canvas.width = width;
      PageGlut.canvas.height = height;
      if (onReshape)
        PageGlut.deliver(function() {
          onReshape(width, height);
        });
      PageGlut.redisplay = true;
    },

    // Full screen shows the canvas at the screen's size; leaving it gives the window its size back.
    onFullScreenChange: function() {
      if (PageGlut.ended() || PageGlut.windowGone) return;
      if (document.fullscreenElement) PageGlut.reshape(screen.width, screen.height);
      else PageGlut.reshape(PageGlut.windowWidth, PageGlut.windowHeight);
    },

    frame: function(time) {
      if (PageGlut.ended() || PageGlut.windowGone) return;
      requestAnimationFrame(PageGlut.frame);
      if (PageGlut.holdTimer !== null) return;
      const log = PageGlut.frameLog;
      if (PageGlut.lastFrameTime > 0 && log.intervals.length < log.limit)
        log.intervals.push(time - PageGlut.lastFrameTime);
      PageGlut.lastFrameTime = time;
      const onIdle = PageGlut.callback(5);
      if (onIdle) PageGlut.call(onIdle);
      const onDisplay = PageGlut.callback(0);
      if (PageGlut.redisplay && onDisplay && !PageGlut.windowGone) {
        PageGlut.redisplay = false;
        const start = performance.now();
        PageGlut.call(onDisplay);
        if (log.displayMs.length < log.limit) log.displayMs.push(performance.now() - start);
      }
    },
  },

  pageGlutInit__deps: ['$PageGlut'],
  pageGlutInit: function() {
    PageGlut.started = performance.now();
    PageGlut.canvas = Module['canvas'];
    Module['frameLog'] = PageGlut.frameLog;
    window.addEventListener('keydown', PageGlut.onKeyDown, true);
    PageGlut.canvas.addEventListener('pointerdown', PageGlut.onPointerDown);
    PageGlut.canvas.addEventListener('pointermove', PageGlut.onPointerMove);
    PageGlut.canvas.addEventListener('pointerup', PageGlut.onPointerUp);
    PageGlut.canvas.addEventListener('pointercancel', PageGlut.onPointerUp);
    PageGlut.canvas.addEventListener('contextmenu', PageGlut.onContextMenu);
    document.addEventListener('fullscreenchange', PageGlut.onFullScreenChange);
  },

  pageGlutCreateWindow__deps: ['$PageGlut', 'emscripten_force_exit'],
  pageGlutCreateWindow: function(title, width, height) {
    const canvas = PageGlut.canvas;
    canvas.width = PageGlut.windowWidth = width;
    canvas.height = PageGlut.windowHeight = height;
    // GLUT_RGB | GLUT_DOUBLE | GLUT_DEPTH, and no antialiasing, which a desktop window does not have either.
    const context = GL.createContext(canvas, {
      majorVersion: 1,
      minorVersion: 0,
      alpha: false,
      depth: true,
      stencil: false,
      antialias: false,
      premultipliedAlpha: false,
      preserveDrawingBuffer: false,
    });
    if (!context) {
      err('glintmere: this browser gives the page no WebGL, so Glintmere cannot draw');
      _emscripten_force_exit(1);
      return 0;
    }
    GL.makeContextCurrent(context);
    canvas.addEventListener('webglcontextlost', function(event) {
      event.preventDefault();
      err('glintmere: the browser took the graphics context away; reload the page to start again');
      PageGlut.windowGone = true;
    });
    document.title = PageGlut.title = UTF8ToString(title);
    return 1;
  },

  pageGlutSetTitle__deps: ['$PageGlut'],
  pageGlutSetTitle: function(title) {
    const text = UTF8ToString(title);
    // The title is written every frame; the page's title changes only when it differs. (document.title
    // reads back with its runs of spaces collapsed, so the text last given is what is compared.)
    if (PageGlut.title !== text) document.title = PageGlut.title = text;
  },

  pageGlutGet__deps: ['$PageGlut'],
  pageGlutGet: function(what) {
    switch (what) {
      case 102: // GLUT_WINDOW_WIDTH
        return PageGlut.canvas.width;
      case 103: // GLUT_WINDOW_HEIGHT
        return PageGlut.canvas.height;
      case 200: // GLUT_SCREEN_WIDTH
        return screen.width;
      case 201: // GLUT_SCREEN_HEIGHT
        return screen.height;
      case 700: // GLUT_ELAPSED_TIME
        return Math.floor(performance.now() - PageGlut.started);
      default:
        return 0;
    }
  },

  pageGlutSetCallback__deps: ['$PageGlut'],
  pageGlutSetCallback: function(which, callback) {
    PageGlut.callbacks[which] = callback;
  },

  pageGlutTimer__deps: ['$PageGlut'],
  pageGlutTimer: function(ms, tick, value) {
    const onTick = PageGlut.tableEntry(tick);
    setTimeout(function() {
      PageGlut.deliver(function() {
        onTick(value);
      });
    }, ms);
  },

  pageGlutPostRedisplay__deps: ['$PageGlut'],
  pageGlutPostRedisplay: function() {
    PageGlut.redisplay = true;
  },

  pageGlutSetCursor__deps: ['$PageGlut'],
  pageGlutSetCursor: function(cursor) {
    // GLUT_CURSOR_CROSSHAIR and GLUT_CURSOR_NONE; any other is the browser's own arrow.
    PageGlut.canvas.style.cursor = cursor === 9 ? 'crosshair' : cursor === 101 ? 'none' : 'default';
  },

  pageGlutFullScreen__deps: ['$PageGlut'],
  pageGlutFullScreen: function() {
    // A browser allows full screen only in answer to a click or key; the page says so when it refuses.
    const page = Module['page'];
    if (page) page.requestFullScreen();
  },

  pageGlutCreateMenu__deps: ['$PageGlut'],
  pageGlutCreateMenu: function(callback) {
    PageGlut.menus.push({ callback: callback, items: [] });
    PageGlut.currentMenu = PageGlut.menus.length - 1;
    return PageGlut.currentMenu;
  },

  pageGlutAddMenuEntry__deps: ['$PageGlut'],
  pageGlutAddMenuEntry: function(label, value) {
    const menu = PageGlut.menus[PageGlut.currentMenu];
    if (menu) menu.items.push({ label: UTF8ToString(label), value: value });
  },

  pageGlutAddSubMenu__deps: ['$PageGlut'],
  pageGlutAddSubMenu: function(label, number) {
    const menu = PageGlut.menus[PageGlut.currentMenu];
    if (menu && PageGlut.menus[number]) menu.items.push({ label: UTF8ToString(label), menu: number });
  },

  pageGlutAttachMenu__deps: ['$PageGlut'],
  pageGlutAttachMenu: function(button) {
    // GLUT_RIGHT_BUTTON: the only button the program gives a menu.
    if (button === 2) PageGlut.rightButtonMenu = PageGlut.currentMenu;
  },

  pageGlutDestroyWindow__deps: ['$PageGlut'],
  pageGlutDestroyWindow: function() {
    PageGlut.windowGone = true;
    const page = Module['page'];
    if (page) page.takeCanvasAway();
  },

  pageGlutMainLoop__deps: ['$PageGlut'],
  pageGlutMainLoop: function() {
    // The window's first reshape, as GLUT sends it when the window first shows, then the frames.
    PageGlut.reshape(PageGlut.canvas.width, PageGlut.canvas.height);
    if (!PageGlut.looping) {
      PageGlut.looping = true;
      requestAnimationFrame(PageGlut.frame);
    }
    throw 'unwind';
  },

  pageHold__deps: ['$PageGlut'],
  pageHold: function(ms) {
    PageGlut.hold(ms);
  },
});
