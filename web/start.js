// Starts the lesson once its font is ready (the plane's numbers are drawn
// with it at once), and keeps it for use offline where the page is served.
// Where the browser cannot run it, says so instead and never loads it.
//
// One script for every page of the folder: each page names its lesson, the
// names of a problem's texts in its address and its manifest on its <html>
// (data-lesson, data-problem, data-manifest), and its program in
// <meta name="program"> (NAME.js: that lesson alone).

// What the browser lacks for the lesson: '' (nothing), 'wasm' (WebAssembly:
// an old browser, or a setting that turns it off, as iPadOS's Lockdown Mode
// does) or 'old' (WebAssembly's own exceptions, which the program throws and
// catches, missing on iPadOS before 15.2; or the message box, <dialog>,
// missing before 15.4). Written for the oldest browsers it must recognise.
var lessonLack = (function () {
  if (typeof WebAssembly !== 'object' || typeof WebAssembly.validate !== 'function') return 'wasm';
  // A module whose one function throws an exception of its own tag and
  // catches it, with the instructions the program is built with.
  var probe = new Uint8Array([
    0x00, 0x61, 0x73, 0x6d, 0x01, 0x00, 0x00, 0x00,  // "\0asm", version 1
    0x01, 0x04, 0x01, 0x60, 0x00, 0x00,              // types: () -> ()
    0x03, 0x02, 0x01, 0x00,                          // functions: one, of type 0
    0x0d, 0x03, 0x01, 0x00, 0x00,                    // tags: one exception, of type 0
    0x0a, 0x0b, 0x01, 0x09, 0x00,                    // code: one body, no locals:
    0x06, 0x40, 0x08, 0x00, 0x07, 0x00, 0x0b, 0x0b   // try, throw 0, catch 0, end, end
  ]);
  try {
    if (!WebAssembly.validate(probe)) return 'old';
  } catch (e) {
    return 'old';
  }
  if (typeof HTMLDialogElement === 'undefined' || typeof HTMLDialogElement.prototype.showModal !== 'function') return 'old';
  return '';
})();
if (lessonLack) {
  document.getElementById('unsupported').hidden = false;
  document.querySelector('#unsupported [data-lack="' + lessonLack + '"]').hidden = false;
}

// The face (font.js), decoded and loaded while the program's module compiles:
// by the browser itself, from a data: URL (decoding it here, byte by byte,
// held the page up before the program could run).
var lessonFace = (function () {
  var face;
  if (typeof LESSON_FONT !== 'undefined') {
    var format = LESSON_FONT.indexOf('d09GMg') === 0 ? 'woff2' : 'woff';  // "wOF2" or "wOFF"
    face = new FontFace('LessonGothic', 'url(data:font/' + format + ';base64,' + LESSON_FONT + ') format("' + format + '")');
  } else {
    face = new FontFace('LessonGothic', 'local("IPAPGothic"), local("IPA Pゴシック")');
  }
  return face.load().then(function (f) { document.fonts.add(f); }).catch(function () {});
})();

// The page's lesson, as the page names it.
var lessonPage = {
  names: (document.documentElement.getAttribute('data-problem') || '').split(' ').filter(Boolean),
  manifest: document.documentElement.getAttribute('data-manifest'),
  program: document.querySelector('meta[name="program"]').content
};

// A problem given by the page's address (index.html?a=2&b=3&c=6,
// system.html?a1=2&b1=3&c1=6&a2=1&b2=-1&c2=-2): its texts are the program's
// arguments, typed into the boxes as they are; any one of the names given
// gives them all, the missing ones empty.
var lessonProblem = (function () {
  var query = new URLSearchParams(location.search), names = lessonPage.names;
  if (!names.some(function (n) { return query.has(n); })) return [];
  return names.map(function (n) { return query.get(n) || ''; });
})();

var Module = {
  arguments: lessonProblem,
  preRun: [function () {
    Module.addRunDependency('font');
    lessonFace.then(function () { Module.removeRunDependency('font'); });
  }],
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
};

document.getElementById('again').addEventListener('click', function () { location.reload(); });

// A page made into one file (packaging/single_file.py) holds the program in
// itself, under the name of its file, and has neither manifest nor worker.
var lessonHeld = document.getElementById(lessonPage.program);

// Served, the lesson can be installed and kept offline. Opened from the disk
// it cannot, and Chrome would refuse even to read the manifest there. The
// worker starts once the page has loaded: its copying of the files does not
// compete with the lesson's start.
if (/^https?:$/.test(location.protocol) && !lessonHeld) {
  var manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = lessonPage.manifest;
  document.head.appendChild(manifest);
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', function () {
      navigator.serviceWorker.register('sw.js').catch(function () {});
    });
  }
}

// The program, where the browser can run it: its script beside the page, or
// the page's own copy of it.
if (!lessonLack) {
  var lessonProgram = document.createElement('script');
  if (lessonHeld) lessonProgram.text = lessonHeld.text;
  else lessonProgram.src = lessonPage.program;
  document.body.appendChild(lessonProgram);
}
