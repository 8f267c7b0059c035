// The offline copy of the game: on its first visit the page installs this worker, which keeps
// every file of this build; from then on the game starts from the copy, network or none. Each
// build has its own copy, named by its id, and a new build's worker drops the old ones.
'use strict';
const BUILD = '@QUILLMOOR_BUILD@';
const CACHE = `quillmoor-${BUILD}`;
const FILES = [@QUILLMOOR_FILES@];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FILES)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(
    caches.keys()
      .then((names) => Promise.all(names.filter((name) => name.startsWith('quillmoor-') && name !== CACHE).map((name) => caches.delete(name))))
      .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) return;
  if (request.mode === 'navigate') {
    // The page from the network while there is one, so a new build is played at once (its files
    // carry their build's id); the kept page, which names the kept files, when there is none.
    event.respondWith(fetch(request).catch(() => caches.open(CACHE).then((cache) => cache.match('quillmoor.html', {ignoreSearch: true}))
      .then((kept) => kept || Response.error())));
    return;
  }
  event.respondWith(caches.open(CACHE).then((cache) => cache.match(request)).then((kept) => kept || fetch(request)));
});
