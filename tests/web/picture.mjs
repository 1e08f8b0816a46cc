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

// The ship: the largest lit shape in the band it flies in (stars there are specks),
// away from the message line's corner, with its bounds and middle.
export function findShip({ png }) {
  const Top = 360;
  const isLit = (x, y) => {
    if (y >= 440 && x < 160) return false;  // the message line
    const i = (y * 640 + x) * 4;
    return png.data[i] + png.data[i + 1] + png.data[i + 2] >= 120;
  };
  const seen = new Uint8Array(640 * 480);
  let best = { pixels: 0, centreX: -1, left: 0, right: 0, top: 480 };
  for (let y = Top; y < 480; ++y) {
    for (let x = 0; x < 640; ++x) {
      if (seen[y * 640 + x] || !isLit(x, y)) continue;
      const shape = { pixels: 0, sumX: 0, left: x, right: x + 1, top: y };
      const todo = [[x, y]];
      seen[y * 640 + x] = 1;
      while (todo.length) {
        const [px, py] = todo.pop();
        ++shape.pixels;
        shape.sumX += px;
        shape.left = Math.min(shape.left, px);
        shape.right = Math.max(shape.right, px + 1);
        shape.top = Math.min(shape.top, py);
        // Diagonal neighbours too: a sprite's thin parts touch only at corners.
        for (let dy = -1; dy <= 1; ++dy) {
          for (let dx = -1; dx <= 1; ++dx) {
            const nx = px + dx;
            const ny = py + dy;
            if (nx < 0 || nx >= 640 || ny < Top || ny >= 480 || seen[ny * 640 + nx] || !isLit(nx, ny)) continue;
            seen[ny * 640 + nx] = 1;
            todo.push([nx, ny]);
          }
        }
      }
      if (shape.pixels > best.pixels) {
        best = { pixels: shape.pixels, centreX: shape.sumX / shape.pixels, left: shape.left, right: shape.right,
          top: shape.top };
      }
    }
  }
  return best;
}

// The player's shots inside `area`: narrow lit shapes (a laser is 4 pixels wide)
// of the lasers' orange and hot white, apart from any ship they pass.
export function shotSpots({ png }, area) {
  const left = Math.max(0, Math.floor(area.left));
  const right = Math.min(640, Math.ceil(area.right));
  const top = Math.max(0, Math.floor(area.top));
  const bottom = Math.min(480, Math.ceil(area.bottom));
  const at = (x, y) => (y * 640 + x) * 4;
  const isLit = (x, y) => png.data[at(x, y)] + png.data[at(x, y) + 1] + png.data[at(x, y) + 2] > 40;
  const isOrange = (x, y) => png.data[at(x, y)] > 200 && png.data[at(x, y)] > png.data[at(x, y) + 2] + 50;
  const seen = new Uint8Array(640 * 480);
  let shots = 0;
  for (let y = top; y < bottom; ++y) {
    for (let x = left; x < right; ++x) {
      if (seen[y * 640 + x] || !isLit(x, y)) continue;
      let size = 0;
      let orange = 0;
      let minX = x;
      let maxX = x;
      const todo = [[x, y]];
      seen[y * 640 + x] = 1;
      while (todo.length) {
        const [px, py] = todo.pop();
        ++size;
        if (isOrange(px, py)) ++orange;
        minX = Math.min(minX, px);
        maxX = Math.max(maxX, px);
        for (const [nx, ny] of [[px + 1, py], [px - 1, py], [px, py + 1], [px, py - 1]]) {
          if (nx < 0 || ny < 0 || nx >= 640 || ny >= 480 || seen[ny * 640 + nx] || !isLit(nx, ny)) continue;
          seen[ny * 640 + nx] = 1;
          todo.push([nx, ny]);
        }
      }
      if (maxX - minX < 6 && size >= 4 && orange >= 2) ++shots;
    }
  }
  return shots;
}
