// cue_webaudio.js -- the page's side of the cue backend: wave files of the page's file system played
// through Web Audio, one at a time, with the cue player's rules (an Emscripten JavaScript library).
//
// A blocking cue holds the program (glut_page.js) for the cue's length, and cues asked for meanwhile play
// after it, in order, as they came in the desktop program once its player returned. Browsers start sound
// only after a key or a click: until then the page says so, and the looped cue of that moment, the music,
// starts with the first one. Everything sounds through one analyser, and every cue is logged, so that a
// test sees what was asked and what sounded.
//
// Implemented features:
//  [X] one cue at a time, looped or once, each wave file read from the page's file system and decoded once
//  [X] a blocking cue's hold for its length, from the wave file's header, sounding or not
//  [X] the audio context started by the first key or click, and the page's note until then
//  [X] one warning per file that cannot sound (missing, not a wave file, undecodable)
// Missing features:
//  [ ] the frame in which a blocking cue is asked is shown when the cue starts, where the desktop program
//      shows it once the cue has played: a page cannot stop in the middle of a frame

mergeInto(LibraryManager.library, {
  $PageCues__deps: ['$PageGlut', '$FS'],
  $PageCues: {
    context: null,
    analyser: null,
    files: {}, // by name: {seconds, buffer, decoding, failed}
    warned: {},
    playing: null, // {name, mode, source, entry, log}
    waiting: [], // [name, mode] asked for while a blocking cue held the program
    log: [],
    modeNames: ['background', 'loop', 'blocking'],

    warnOnce: function(cause, message) {
      if (PageCues.warned[cause]) return;
      PageCues.warned[cause] = true;
      err('glintmere: ' + message);
    },

    open: function() {
      if (PageCues.context) return true;
      const AudioContextType = window.AudioContext || window.webkitAudioContext;
      if (!AudioContextType) {
        PageCues.warnOnce('device', 'this browser has no Web Audio, sound is off');
        return false;
      }
      try {
        PageCues.context = new AudioContextType();
      } catch (e) {
        PageCues.warnOnce('device', 'cannot open the audio device (' + e + '), sound is off');
        return false;
      }
      PageCues.analyser = PageCues.context.createAnalyser();
      PageCues.analyser.fftSize = 2048;
      PageCues.analyser.connect(PageCues.context.destination);
      PageCues.context.onstatechange = PageCues.stateChanged;
      // Any key or click may start the sound; the browser decides which count.
      ['keydown', 'pointerdown', 'pointerup', 'touchend'].forEach(function(type) {
        window.addEventListener(type, PageCues.resume, true);
      });
      PageCues.stateChanged();
      return true;
    },

    resume: function() {
      if (PageCues.context && PageCues.context.state === 'suspended') PageCues.context.resume();
    },

    stateChanged: function() {
      const running = PageCues.context.state === 'running';
      const page = Module['page'];
      if (page) page.soundWaiting(PageCues.context.state === 'suspended');
      // The music asked for before the first key or click starts now.
      const cue = PageCues.playing;
      if (running && cue && cue.mode === 1 && !cue.source) PageCues.sound(cue);
    },

    // The length of a wave file from its header: the data chunk's bytes over the format's bytes a second.
    waveSeconds: function(bytes) {
      const view = new DataView(bytes.buffer, bytes.byteOffset, bytes.byteLength);
      const tag = function(at) {
        return String.fromCharCode(bytes[at], bytes[at + 1], bytes[at + 2], bytes[at + 3]);
      };
      if (bytes.length < 12 || tag(0) !== 'RIFF' || tag(8) !== 'WAVE') return null;
      let byteRate = 0;
      for (let at = 12; at + 8 <= bytes.length; ) {
        const size = view.getUint32(at + 4, true);
        if (tag(at) === 'fmt ' && size >= 16 && at + 20 <= bytes.length) byteRate = view.getUint32(at + 16, true);
        if (tag(at) === 'data') return byteRate > 0 ? Math.min(size, bytes.length - at - 8) / byteRate : null;
        at += 8 + size + (size & 1);
      }
      return null;
    },

    // A file, read once and decoded in the background; null, after one warning, when it cannot sound.
    load: function(name) {
      let entry = PageCues.files[name];
      if (entry) return entry.failed ? null : entry;
      entry = PageCues.files[name] = { seconds: 0, buffer: null, decoding: null, failed: false };
      let bytes;
      try {
        bytes = FS.readFile(name);
      } catch (e) {
        entry.failed = true;
        PageCues.warnOnce('file:' + name, 'cannot play "' + name + '" (no such file), it stays silent');
        return null;
      }
      const seconds = PageCues.waveSeconds(bytes);
      if (seconds === null) {
        entry.failed = true;
        PageCues.warnOnce('file:' + name, 'cannot play "' + name + '" (not a wave file), it stays silent');
        return null;
      }
      entry.seconds = seconds;
      const copy = bytes.slice().buffer;
      entry.decoding = PageCues.context.decodeAudioData(copy).then(
        function(buffer) {
          entry.buffer = buffer;
          entry.seconds = buffer.duration;
          const cue = PageCues.playing;
          if (cue && cue.entry === entry && !cue.source) PageCues.sound(cue);
        },
        function(error) {
          entry.failed = true;
          PageCues.warnOnce('file:' + name, 'cannot play "' + name + '" (' + error + '), it stays silent');
        }
      );
      return entry;
    },

    // Every wave file beside the first cue's is read and decoded ahead, so that each sounds when asked.
    loadFolderOf: function(name) {
      const slash = name.lastIndexOf('/');
      const folder = slash >= 0 ? name.substring(0, slash) : '.';
      let names = [];
      try {
        names = FS.readdir(folder);
      } catch (e) {
        return;
      }
      names.forEach(function(file) {
        if (/\.wav$/i.test(file)) PageCues.load(slash >= 0 ? folder + '/' + file : file);
      });
    },

    stop: function() {
      const cue = PageCues.playing;
      PageCues.playing = null;
      if (cue && cue.source) {
        cue.source.onended = null;
        cue.source.stop();
        cue.source.disconnect();
      }
    },

    // Starts the cue's sound if the browser lets the page sound and the file is decoded; otherwise the
    // cue waits for whichever comes (a looped one for the first key or click).
    sound: function(cue) {
      if (PageCues.context.state !== 'running' || !cue.entry.buffer) return;
      // A cue that is not looped sounds only where it was asked for; later it would come out of turn.
      if (cue.mode !== 1 && performance.now() - cue.log.time > 1000 * cue.entry.seconds) return;
      const source = PageCues.context.createBufferSource();
      source.buffer = cue.entry.buffer;
      source.loop = cue.mode === 1;
      source.connect(PageCues.analyser);
      source.onended = function() {
        if (PageCues.playing === cue) PageCues.playing = null;
        source.disconnect();
      };
      source.start();
      cue.source = source;
      cue.log.sounded = performance.now();
    },

    start: function(name, mode, log) {
      // Any cue, even one that cannot sound, stops the one playing.
      PageCues.stop();
      const entry = PageCues.load(name);
      if (!entry) {
        log.silent = true;
        return;
      }
      const cue = { name: name, mode: mode, source: null, entry: entry, log: log };
      PageCues.playing = cue;
      log.seconds = entry.seconds;
      // The program is held for the cue's length whether or not the browser lets it sound yet, so that it
      // keeps the desktop program's pace.
      if (mode === 2) {
        PageGlut.hold(1000 * entry.seconds);
        log.holdsUntil = performance.now() + 1000 * entry.seconds;
      }
      PageCues.sound(cue);
    },

    play: function(name, mode) {
      const log = { file: name, mode: PageCues.modeNames[mode], time: performance.now(), sounded: 0, silent: false };
      PageCues.log.push(log);
      if (!PageCues.open()) {
        log.silent = true;
        return;
      }
      if (Object.keys(PageCues.files).length === 0) PageCues.loadFolderOf(name);
      if (PageGlut.holdTimer !== null) {
        log.afterBlocking = true;
        PageCues.waiting.push([name, mode, log]);
        return;
      }
      PageCues.start(name, mode, log);
    },

    released: function() {
      while (PageGlut.holdTimer === null && PageCues.waiting.length > 0) {
        const next = PageCues.waiting.shift();
        next[2].time = performance.now();
        PageCues.start(next[0], next[1], next[2]);
      }
    },

    // What a test or the page may read: the cues asked for, the context's state and the level sounding.
    level: function() {
      if (!PageCues.analyser) return 0;
      const samples = new Float32Array(PageCues.analyser.fftSize);
      PageCues.analyser.getFloatTimeDomainData(samples);
      let sum = 0;
      for (let i = 0; i < samples.length; ++i) sum += samples[i] * samples[i];
      return Math.sqrt(sum / samples.length);
    },
  },

  pageCuePlay__deps: ['$PageCues'],
  pageCuePlay: function(fileName, mode) {
    if (!Module['cues']) {
      PageGlut.releaseListeners.push(PageCues.released);
      Module['cues'] = {
        log: PageCues.log,
        level: PageCues.level,
        state: function() {
          return PageCues.context ? PageCues.context.state : 'none';
        },
      };
    }
    PageCues.play(UTF8ToString(fileName), mode);
  },
});
