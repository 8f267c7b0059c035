// Measures the page's start on this machine; a report, not a test (machines are noisy): over a
// few first visits (nothing kept), the bytes fetched before the first picture and the time to it
// from the page's start, then the largest gap between two pictures in the first 5 s.
// node measure_start.mjs [RUNS] [FOLDER]
import { serveFolder } from '../../scripts/serve-web.mjs';
import { webBuild, launchBrowser, pause, DESKTOP } from './harness.mjs';

const runs = Number(process.argv[2] || 3);
const folder = process.argv[3] || webBuild;
const server = await serveFolder(folder);
const origin = `http://127.0.0.1:${server.address().port}`;
const browser = await launchBrowser();
const results = [];
try {
  for (let run = 0; run < runs; ++run) {
    const context = await browser.createBrowserContext();
    const page = await context.newPage();
    await page.setViewport(DESKTOP);
    // Each picture is one putImageData on the canvas, whichever build draws it.
    await page.evaluateOnNewDocument(() => {
      const put = CanvasRenderingContext2D.prototype.putImageData;
      globalThis.shownAt = [];
      CanvasRenderingContext2D.prototype.putImageData = function (...args) {
        shownAt.push(performance.now());
        return put.apply(this, args);
      };
    });
    await page.goto(`${origin}/quillmoor.html`);
    await page.waitForFunction(() => globalThis.shownAt.length > 0, { timeout: 60000, polling: 20 });
    const first = await page.evaluate(() => shownAt[0]);
    await pause(Math.max(0, first + 5200 - (await page.evaluate(() => performance.now()))));
    results.push(await page.evaluate((start) => {
      const times = shownAt.filter((t) => t <= start + 5000);
      let gap = 0;
      for (let i = 1; i < times.length; ++i) gap = Math.max(gap, times[i] - times[i - 1]);
      const entries = [...performance.getEntriesByType('navigation'), ...performance.getEntriesByType('resource')];
      const before = entries.filter((e) => e.responseEnd <= start);
      const sum = (list, field) => list.reduce((n, e) => n + (e[field] || 0), 0);
      return {
        first: start,
        bytes: sum(before, 'transferSize'),
        unpacked: sum(before, 'decodedBodySize'),
        files: before.length,
        gap,
        frames: times.length,
        later: sum(entries.filter((e) => e.responseEnd > start), 'transferSize'),
      };
    }, first));
    await context.close();
  }
} finally {
  await browser.close();
  server.close();
}
const kib = (n) => `${(n / 1024).toFixed(0)} KiB`;
for (const r of results)
  console.log(`first picture after ${r.first.toFixed(0)} ms; ${kib(r.bytes)} fetched before it in ${r.files} files (${kib(r.unpacked)} unpacked), `
    + `${kib(r.later)} after; largest gap between pictures in the first 5 s: ${r.gap.toFixed(0)} ms (${r.frames} pictures)`);
const median = (f) => results.map(f).sort((a, b) => a - b)[Math.floor(results.length / 2)];
console.log(`median of ${results.length}: first picture ${median((r) => r.first).toFixed(0)} ms, ${kib(median((r) => r.bytes))} before it, `
  + `largest gap ${median((r) => r.gap).toFixed(0)} ms`);
