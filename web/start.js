// Starts the lesson once its font is ready (the plane's numbers are drawn
// with it at once), and keeps it for use offline where the page is served.

// The face (font.js), decoded and loaded while the program's module compiles.
var lessonFace = (function () {
  var face;
  if (typeof LESSON_FONT !== 'undefined') {
    var text = atob(LESSON_FONT), bytes = new Uint8Array(text.length);
    for (var i = 0; i < text.length; ++i) bytes[i] = text.charCodeAt(i);
    face = new FontFace('LessonGothic', bytes.buffer);
  } else {
    face = new FontFace('LessonGothic', 'local("IPAPGothic"), local("IPA Pゴシック")');
  }
  return face.load().then(function (f) { document.fonts.add(f); }).catch(function () {});
})();

var Module = {
  preRun: [function () {
    Module.addRunDependency('font');
    lessonFace.then(function () { Module.removeRunDependency('font'); });
  }],
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
};

document.getElementById('again').addEventListener('click', function () { location.reload(); });

// Served, the lesson can be installed and kept offline. Opened from the disk
// it cannot, and Chrome would refuse even to read the manifest there. The
// worker starts once the page has loaded: its copying of the files does not
// compete with the lesson's start.
if (/^https?:$/.test(location.protocol)) {
  var manifest = document.createElement('link');
  manifest.rel = 'manifest';
  manifest.href = 'manifest.webmanifest';
  document.head.appendChild(manifest);
  if ('serviceWorker' in navigator) {
    window.addEventListener('load', function () {
      navigator.serviceWorker.register('sw.js').catch(function () {});
    });
  }
}
