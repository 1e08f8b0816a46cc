// A static server for the built site on 127.0.0.1, as a plain web host serves it,
// that a test can make lose files or cut off altogether.
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';

const Types = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.wasm': 'application/wasm',
  '.webmanifest': 'application/manifest+json', '.png': 'image/png', '.bmp': 'image/bmp',
};

export function serveSite(root, { missing = new Set() } = {}) {
  let cut = false;
  const sockets = new Set();
  const server = http.createServer((request, response) => {
    const address = decodeURIComponent(new URL(request.url, 'http://localhost').pathname);
    const file = path.join(root, address.endsWith('/') ? `${address}index.html` : address);
    if (cut || missing.has(address) || !file.startsWith(root) || !fs.existsSync(file) ||
        fs.statSync(file).isDirectory()) {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found');
      return;
    }
    response.writeHead(200, { 'Content-Type': Types[path.extname(file)] || 'application/octet-stream',
      'Cache-Control': 'no-cache' });
    fs.createReadStream(file).pipe(response);
  });
  server.on('connection', (socket) => {
    if (cut) {
      socket.destroy();
      return;
    }
    sockets.add(socket);
    socket.on('close', () => sockets.delete(socket));
  });
  return new Promise((resolve) => {
    server.listen(0, '127.0.0.1', () => {
      resolve({
        port: server.address().port,
        // The network gone: open connections dropped, new ones reset at once.
        cut: () => {
          cut = true;
          for (const socket of sockets) socket.destroy();
        },
        restore: () => { cut = false; },
        close: () => new Promise((done) => {
          for (const socket of sockets) socket.destroy();
          if (server.listening) server.close(() => done()); else done();
        }),
      });
    });
  });
}
