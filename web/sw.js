// SPDX-FileCopyrightText: 2026 Zorbelin contributors
// SPDX-License-Identifier: GPL-3.0-or-later

// Keeps the lesson working without a network: the first visit stores the
// folder's files, and later visits are served from that store. The version
// follows the files' contents (web/site.cmake), so a new build replaces them.
const CACHE = 'zorbelin-@ZORBELIN_WEB_VERSION@';
const FILES = [@ZORBELIN_WEB_FILES@];

self.addEventListener('install', (event) => {
    // 'no-cache': asks the server whether the copy the page has just loaded
    // is current, so a new build is never stored with an older file, and an
    // unchanged file is not downloaded a second time.
    const requests = FILES.map((file) => new Request(file, { cache: 'no-cache' }));
    event.waitUntil(caches.open(CACHE)
        .then((cache) => cache.addAll(requests))
        .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
    event.waitUntil(caches.keys()
        .then((keys) => Promise.all(keys
            .filter((key) => key.startsWith('zorbelin-') && key !== CACHE)
            .map((key) => caches.delete(key))))
        .then(() => self.clients.claim()));
});

self.addEventListener('fetch', (event) => {
    if (event.request.method !== 'GET')
        return;
    // A query (?log) names the same page.
    event.respondWith(caches.open(CACHE)
        .then((cache) => cache.match(event.request, { ignoreSearch: true }))
        .then((stored) => stored || fetch(event.request)));
});
