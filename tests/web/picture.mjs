// Measures a screenshot of the game: the 640x480 picture sampled back out of the
// scaled canvas, the ship near the bottom, and the small lit spots that stars make.
import { PNG } from 'pngjs';

// One screen pixel per game pixel, taken from the middle of each scaled pixel.
export function toGamePixels(png, box, scale) {
  const game = new PNG({ width: 640, height: 480 });
  for (let y = 0; y < 480; ++y) {
    for (let x = 0; x < 640; ++x) {
      const sx = Math.floor(box.left + x * scale + scale / 2);
      const sy = Math.floor(box.top + y * scale + scale / 2);
      const from = (sy * png.width + sx) * 4;
      const to = (y * 640 + x) * 4;
      for (let c = 0; c < 4; ++c) game.data[to + c] = png.data[from + c];
    }
  }
  return { png: game };
}

export function countPixels(png, area, test) {
  let count = 0;
  const left = Math.max(0, Math.floor(area.left));
  const right = Math.min(png.width, Math.ceil(area.right));
  const top = Math.max(0, Math.floor(area.top));
  const bottom = Math.min(png.height, Math.ceil(area.bottom));
  for (let y = top; y < bottom; ++y) {
    for (let x = left; x < right; ++x) {
      const i = (y * png.width + x) * 4;
      if (test(png.data[i], png.data[i + 1], png.data[i + 2])) ++count;
    }
  }
  return count;
}

const lit = (png, x, y) => {
  const i = (y * png.width + x) * 4;
  return png.data[i] + png.data[i + 1] + png.data[i + 2] > 40;
};

// Lit groups of at most a few pixels (touching sideways or up and down): stars,
// not ships or text.
export function smallSpots({ png }, area, largest = 6) {
  const seen = new Uint8Array(png.width * png.height);
  let spots = 0;
  for (let y = area.top; y < area.bottom; ++y) {
    for (let x = area.left; x < area.right; ++x) {
      if (seen[y * png.width + x] || !lit(png, x, y)) continue;
      let size = 0;
      const todo = [[x, y]];
      seen[y * png.width + x] = 1;
      while (todo.length) {
        const [px, py] = todo.pop();
        ++size;
        for (const [nx, ny] of [[px + 1, py], [px - 1, py], [px, py + 1], [px, py - 1]]) {
          if (nx < 0 || ny < 0 || nx >= png.width || ny >= png.height || seen[ny * png.width + nx]) continue;
          if (!lit(png, nx, ny)) continue;
          seen[ny * png.width + nx] = 1;
          todo.push([nx, ny]);
        }
      }
      if (size <= largest) ++spots;
    }
  }
  return spots;
}

// The ship: the lit pixels of the band it flies in, away from the message line's
// corner, with their bounds and middle.
export function findShip({ png }) {
  let pixels = 0;
  let sumX = 0;
  let left = 640;
  let right = 0;
  let top = 480;
  for (let y = 400; y < 480; ++y) {
    for (let x = 0; x < 640; ++x) {
      if (y >= 440 && x < 160) continue;  // the message line
      const i = (y * 640 + x) * 4;
      if (png.data[i] + png.data[i + 1] + png.data[i + 2] < 120) continue;
      ++pixels;
      sumX += x;
      left = Math.min(left, x);
      right = Math.max(right, x + 1);
      top = Math.min(top, y);
    }
  }
  return { pixels, centreX: pixels ? sumX / pixels : -1, left, right, top };
}
