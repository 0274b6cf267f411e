// page.js -- the page around the program: its options from the address, the console panel, the menu, the
// notes, full screen and the end; glintmere.js (the program) reads the Module set up here.
//
// Implemented features:
//  [X] the address's query as the program's options (?scene=busy&mute is --scene busy --mute)
//  [X] the console panel and the browser's console, one message a line; the program's errors marked
//  [X] the menu tree as nested lists, sub-menus opening on the pointer or a click, chosen by a click or by
//      the right button's release; closed by Esc, a click beside it or leaving the window
//  [X] the notes: sound waiting for a key or click, full screen needing a click, an error that stopped it
//  [X] the end: the canvas taken away, the program's status, and how to start again
// Missing features:
//  [ ] the menu from the keyboard (arrows and Enter): GLUT's menus take only the pointer either
'use strict';

(function() {
  const stage = document.getElementById('stage');
  const canvas = document.getElementById('canvas');
  const consolePanel = document.getElementById('console');
  const loading = document.getElementById('loading');
  const endedBox = document.getElementById('ended');
  const endedText = document.getElementById('ended-text');
  const soundNote = document.getElementById('sound-note');
  const screenNote = document.getElementById('screen-note');
  const errorNote = document.getElementById('error-note');
  const fullScreenButton = document.getElementById('full-screen');
  // The panel keeps the last lines only, as a terminal's scroll-back does.
  const keptLines = 2000;

  // The address's query as the program's options: ?scene=busy&mute is --scene busy --mute.
  function optionsFromQuery(query) {
    const args = [];
    new URLSearchParams(query).forEach(function(value, name) {
      args.push('--' + name);
      if (value !== '') args.push(value);
    });
    return args;
  }

  // One line of the program's console: in the panel and in the browser's console, one message a line.
  function consoleLine(text, isError) {
    const line = document.createElement('div');
    line.textContent = text;
    if (isError) line.className = 'error';
    const atEnd = consolePanel.scrollTop + consolePanel.clientHeight >= consolePanel.scrollHeight - 4;
    consolePanel.appendChild(line);
    while (consolePanel.childNodes.length > keptLines) consolePanel.removeChild(consolePanel.firstChild);
    if (atEnd) consolePanel.scrollTop = consolePanel.scrollHeight;
    if (isError) console.error(text);
    else console.log(text);
  }

  // ---- The menu ----
  let openMenu = null;

  function closeMenu() {
    if (openMenu) openMenu.remove();
    openMenu = null;
  }

  function buildMenu(items, choose) {
    const list = document.createElement('ul');
    list.className = 'menu';
    list.setAttribute('role', 'menu');
    items.forEach(function(item) {
      const entry = document.createElement('li');
      entry.setAttribute('role', 'menuitem');
      entry.dataset.label = item.label;
      entry.textContent = item.label;
      if (item.items) {
        entry.classList.add('sub');
        entry.setAttribute('aria-haspopup', 'true');
        entry.appendChild(buildMenu(item.items, choose));
        // A touch or a click opens a sub-menu as the pointer resting on it does.
        entry.addEventListener('click', function(event) {
          event.stopPropagation();
          Array.from(entry.parentNode.children).forEach(function(other) {
            if (other !== entry) other.classList.remove('open');
          });
          entry.classList.toggle('open');
        });
      } else {
        const chosen = function(event) {
          event.stopPropagation();
          event.preventDefault();
          closeMenu();
          choose(item);
        };
        entry.addEventListener('click', chosen);
        // As on the desktop, a menu opened with the right button held takes its release on an entry.
        entry.addEventListener('pointerup', function(event) {
          if (event.button === 2) chosen(event);
        });
      }
      list.appendChild(entry);
    });
    return list;
  }

  function showMenu(items, x, y, choose) {
    closeMenu();
    const menu = buildMenu(items, choose);
    menu.addEventListener('contextmenu', function(event) {
      event.preventDefault();
    });
    document.body.appendChild(menu);
    // Just off the pointer, so that the release of the click that opened it lands on no entry; inside
    // the page's window where it fits.
    const left = Math.max(0, Math.min(x + 2, window.innerWidth - menu.offsetWidth - 2));
    const top = Math.max(0, Math.min(y + 2, window.innerHeight - menu.offsetHeight - 2));
    menu.style.left = left + 'px';
    menu.style.top = top + 'px';
    openMenu = menu;
  }

  document.addEventListener(
    'pointerdown',
    function(event) {
      if (openMenu && !openMenu.contains(event.target)) closeMenu();
    },
    true
  );
  window.addEventListener('blur', closeMenu);

  // ---- Full screen ----
  function requestFullScreen() {
    if (!stage.requestFullscreen) {
      screenNote.textContent = 'This browser cannot show the page full screen.';
      screenNote.hidden = false;
      return;
    }
    stage.requestFullscreen().then(
      function() {
        screenNote.hidden = true;
      },
      function() {
        screenNote.hidden = false;
      }
    );
  }

  fullScreenButton.addEventListener('click', function() {
    fullScreenButton.blur();
    requestFullScreen();
  });

  // ---- The end ----
  function takeCanvasAway() {
    closeMenu();
    if (document.fullscreenElement) document.exitFullscreen();
    canvas.remove();
    loading.hidden = true;
    endedBox.hidden = false;
    fullScreenButton.disabled = true;
  }

  function ended(status) {
    takeCanvasAway();
    soundNote.hidden = true;
    endedText.textContent =
      status === 0 ? 'Glintmere has ended.' : 'Glintmere has ended with status ' + status + ': the console says why.';
    document.body.dataset.ended = String(status);
  }

  function failed(what) {
    errorNote.textContent = 'Glintmere stopped with an error: ' + what;
    errorNote.hidden = false;
    takeCanvasAway();
    endedText.textContent = 'Glintmere stopped with an error.';
    document.body.dataset.ended = 'error';
  }

  window.addEventListener('error', function(event) {
    if (!document.body.dataset.ended) failed(event.message);
  });

  window.Module = {
    canvas: canvas,
    arguments: optionsFromQuery(window.location.search),
    print: function(text) {
      consoleLine(text, false);
    },
    printErr: function(text) {
      consoleLine(text, true);
    },
    setStatus: function(text) {
      if (text) loading.textContent = text;
    },
    onRuntimeInitialized: function() {
      loading.hidden = true;
    },
    onExit: ended,
    onAbort: function(what) {
      failed(String(what));
    },
    // What the program's side of the page calls (glut_page.js, cue_webaudio.js).
    page: {
      openMenu: showMenu,
      closeMenu: closeMenu,
      menuOpen: function() {
        return openMenu !== null;
      },
      takeCanvasAway: takeCanvasAway,
      requestFullScreen: requestFullScreen,
      soundWaiting: function(waiting) {
        soundNote.hidden = !waiting;
      },
    },
  };
})();
