// Serves the browser build on this machine: `node scripts/serve-web.mjs [FOLDER] [PORT]` (build-web
// and 8000 by default, on 127.0.0.1), sending the gzip copy cmake/web_page.cmake made of a file
// when the browser takes gzip, and letting the browser keep nothing without asking again (the
// page's own offline copy does the keeping). The browser tests import serveFolder.
import { createServer } from 'node:http';
import { readFile, stat } from 'node:fs/promises';
import { join, normalize, extname, dirname } from 'node:path';
import { fileURLToPath } from 'node:url';

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.css': 'text/css',
  '.wasm': 'application/wasm',
  '.data': 'application/octet-stream',
  '.webmanifest': 'application/manifest+json',
  '.png': 'image/png',
  '.ogg': 'audio/ogg',
};

// `overrides` maps a path ('/sw.js') to the text served for it instead of the file, so a test
// can stand in for another build.
export function serveFolder(folder, { port = 0, overrides = new Map() } = {}) {
  const server = createServer(async (request, response) => {
    const path = normalize(decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname));
    if (path.includes('..')) {
      response.writeHead(403).end();
      return;
    }
    const headers = { 'Content-Type': TYPES[extname(path)] || 'application/octet-stream', 'Cache-Control': 'no-cache' };
    if (overrides.has(path)) {
      response.writeHead(200, headers).end(overrides.get(path));
      return;
    }
    const file = join(folder, path);
    try {
      const modified = (await stat(file)).mtime;
      headers['Last-Modified'] = modified.toUTCString();
      const since = request.headers['if-modified-since'];
      if (since && Math.floor(modified.getTime() / 1000) <= Math.floor(Date.parse(since) / 1000)) {
        response.writeHead(304, headers).end();
        return;
      }
      let body;
      if (/\bgzip\b/.test(request.headers['accept-encoding'] || '')) {
        body = await readFile(`${file}.gz`).catch(() => null);
        if (body) {
          headers['Content-Encoding'] = 'gzip';
          headers.Vary = 'Accept-Encoding';
        }
      }
      body = body || (await readFile(file));
      response.writeHead(200, headers).end(request.method === 'HEAD' ? undefined : body);
    } catch {
      response.writeHead(404).end();
    }
  });
  return new Promise((resolve) => server.listen(port, '127.0.0.1', () => resolve(server)));
}

if (process.argv[1] === fileURLToPath(import.meta.url)) {
  const root = join(dirname(fileURLToPath(import.meta.url)), '..');
  const folder = process.argv[2] || join(root, 'build-web');
  const port = Number(process.argv[3] || 8000);
  const server = await serveFolder(folder, { port });
  console.log(`serving ${folder} at http://127.0.0.1:${server.address().port}/quillmoor.html`);
}
