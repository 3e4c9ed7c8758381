// The page's service worker: it keeps the page's own files, so that once
// visited the storm opens and runs with no network. Each release keeps them
// in a cache of its own, named by their contents (the build writes the name
// in); once it takes over, it deletes the caches of the releases before.
'use strict';

const cacheName = 'raivel-@RELEASE@';
const files = ['./', 'index.html', 'page.css', 'page.js', 'raivel.js', 'raivel.wasm', 'desktop.png',
  'manifest.webmanifest', 'icon-192.png', 'icon-512.png'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName).then((cache) => cache.addAll(files)).then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(caches.keys()
    .then((names) => Promise.all(names.filter((name) => name.startsWith('raivel-') && name !== cacheName)
      .map((name) => caches.delete(name))))
    .then(() => self.clients.claim()));
});

// The page's files from the cache, anything else from the network.
self.addEventListener('fetch', (event) => {
  if (event.request.method !== 'GET') return;
  event.respondWith(caches.open(cacheName)
    .then((cache) => cache.match(event.request, { ignoreSearch: true }))
    .then((kept) => kept || fetch(event.request)));
});
