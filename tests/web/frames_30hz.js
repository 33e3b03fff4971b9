// Frame callbacks at 30 Hz, as an iPhone or iPad gives them in Low Power Mode
// or a display at 30 Hz does: the engine's callbacks are passed on at most at
// every other frame of its display. Loaded before the page's own script.
(() => {
    const engineFrame = window.requestAnimationFrame.bind(window);
    let waiting = new Map(), next = 1, last = -Infinity, asked = false;
    const tick = (time) => {
        if (time - last < 1000 / 30 - 4) return engineFrame(tick);
        last = time;
        asked = false;
        const due = waiting;
        waiting = new Map();
        due.forEach((callback) => callback(time));
    };
    window.requestAnimationFrame = (callback) => {
        waiting.set(next, callback);
        if (!asked) {
            asked = true;
            engineFrame(tick);
        }
        return next++;
    };
    window.cancelAnimationFrame = (id) => waiting.delete(id);
})();
