// Keeps the lesson for use offline: at install every file of the folder is
// put in a cache of this build's own, and from then on the files are served
// from it, the network asked only for what is not there. The build writes the
// program's version, the version of the files (from their content) and the
// list of files below, so that a new build is a new worker that fills a new
// cache and drops the old one.
var RELEASE = '@LG_RELEASE@';
var VERSION = '@LG_SITE_VERSION@';
var FILES = [@LG_SITE_FILES@];

// Several copies of the lesson may live on one server, each in its folder:
// each keeps its own caches, named after its folder.
var PREFIX = 'linear-graph ' + self.registration.scope + ' ';
var CACHE = PREFIX + RELEASE + ' ' + VERSION;

self.addEventListener('install', function (event) {
  event.waitUntil(caches.open(CACHE).then(function (cache) {
    // Past the browser's own cache: the files of this build, not older ones.
    return cache.addAll(FILES.map(function (file) { return new Request(file, { cache: 'reload' }); }));
  }).then(function () { return self.skipWaiting(); }));
});

self.addEventListener('activate', function (event) {
  event.waitUntil(caches.keys().then(function (names) {
    return Promise.all(names.filter(function (name) {
      return name.indexOf(PREFIX) === 0 && name !== CACHE;
    }).map(function (name) { return caches.delete(name); }));
  }).then(function () { return self.clients.claim(); }));
});

self.addEventListener('fetch', function (event) {
  var request = event.request;
  if (request.method !== 'GET') return;
  var scope = self.registration.scope;
  if (request.url.indexOf(scope) !== 0) return;
  // The folder itself (the installed app's start) is its index.html.
  var file = request.url.slice(scope.length).replace(/[?#].*$/, '') || 'index.html';
  if (FILES.indexOf(file) < 0) return;
  event.respondWith(caches.open(CACHE).then(function (cache) {
    return cache.match(file);
  }).then(function (response) {
    return response || fetch(request);
  }));
});
