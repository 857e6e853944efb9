// The browser edition's service worker: the page, the game and its content are kept
// at the first visit (the music as it is fetched), so that the game starts and
// plays offline after it. A new build is a new cache; the old one is dropped.
'use strict';

const VERSION = '@VERSION@';
const CACHE = 'veltran-' + VERSION;
const FIRST = @FIRST@;

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(CACHE).then((cache) => cache.addAll(FIRST))
                      .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
                      .then((names) => Promise.all(names.filter((n) => n.startsWith('veltran-') && n !== CACHE)
                                                        .map((n) => caches.delete(n))))
                      .then(() => self.clients.claim()));
});

// What is kept is answered from the cache; anything else from the network, and
// kept when it is the game's own.
self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== location.origin) return;
  event.respondWith(caches.open(CACHE).then(async (cache) => {
    const kept = await cache.match(request, {ignoreSearch: request.mode === 'navigate'});
    if (kept) return kept;
    const response = await fetch(request);
    if (response.ok && response.type === 'basic') cache.put(request, response.clone());
    return response;
  }));
});
