// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the lesson working without a network: the first visit stores the
// page's files, and later visits are served from that store. The version
// follows the files' contents (scripts/build-web), so a new build replaces them.
const CACHE = 'zorbelin-@VERSION@';
const FILES = [@FILES@];

// 'no-cache': asks the server whether the copy the page has just loaded is
// current, so a new build is never stored with an older file, and an
// unchanged file is not downloaded a second time.
const fresh = (file) => new Request(file, { cache: 'no-cache' });

self.addEventListener('install', (event) => {
    event.waitUntil(caches.open(CACHE)
        .then((cache) => cache.addAll(FILES.map(fresh)))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys
            .filter((key) => key.startsWith('zorbelin-') && key !== CACHE)
            .map((key) => caches.delete(key))))
        .then(() => self.clients.claim()));
});

// The page names the picture its screen chose, which the page has already
// loaded; the other size is stored when a screen first asks for it.
self.addEventListener('message', (event) => {
    const keep = (event.data && event.data.keep) || [];
    event.waitUntil(caches.open(CACHE).then((cache) => Promise.all(keep
        .filter((path) => new URL(path, self.location).origin === self.location.origin)
        .map((path) => cache.match(path).then((stored) => stored || cache.add(fresh(path)))))).catch(() => {}));
});

self.addEventListener('fetch', (event) => {
    const request = event.request;
    if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin)
        return;
    // A query names the same page.
    event.respondWith(caches.open(CACHE).then((cache) => cache.match(request, { ignoreSearch: true })
        .then((stored) => stored || fetch(request).then((response) => {
            if (response.ok && response.type === 'basic')
                cache.put(request, response.clone());
            return response;
        }))));
});
