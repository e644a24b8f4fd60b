// What the browser lacks for the lesson, decided first of all, in the page's
// head; and where it lacks nothing, the page's program fetched at once, while
// the rest of the page is read and its face decoded (start.js runs it then).
// A browser that cannot run the lesson never fetches the program, and a page
// that holds its program in itself (one file) fetches nothing.
//
// lessonLack: '' (nothing), 'wasm' (WebAssembly: an old browser, or a
// setting that turns it off, as iPadOS's Lockdown Mode does) or 'old'
// (WebAssembly's own exceptions, which the program throws and catches,
// missing on iPadOS before 15.2; or the message box, <dialog>, missing before
// 15.4). Written for the oldest browsers it must recognise.
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
if (!lessonLack) {
  (function () {
    var program = document.querySelector('meta[name="program"]').content;
    if (document.getElementById(program)) return;
    var ahead = document.createElement('link');
    ahead.rel = 'preload';
    ahead.as = 'script';
    ahead.href = program;
    document.head.appendChild(ahead);
  })();
}
