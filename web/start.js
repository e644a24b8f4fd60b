// Starts the lesson once its font is ready (the plane's numbers are drawn
// with it at once), and keeps it for use offline where the page is served.
var Module = {
  preRun: [function () {
    Module.addRunDependency('font');
    var loaded = function () { Module.removeRunDependency('font'); };
    var face = typeof LESSON_FONT !== 'undefined'
      ? new FontFace('LessonGothic', Uint8Array.from(atob(LESSON_FONT), function (c) { return c.charCodeAt(0); }).buffer)
      : new FontFace('LessonGothic', 'local("IPAPGothic"), local("IPA Pゴシック")');
    face.load().then(function (f) { document.fonts.add(f); }).catch(function () {}).then(loaded);
  }],
  print: function (text) { console.log(text); },
  printErr: function (text) { console.warn(text); },
};

document.getElementById('again').addEventListener('click', function () { location.reload(); });

if ('serviceWorker' in navigator && /^https?:$/.test(location.protocol)) {
  navigator.serviceWorker.register('sw.js').catch(function () {});
}
