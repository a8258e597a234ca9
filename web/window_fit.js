// SPDX-License-Identifier: GPL-3.0-or-later
// Narrower than the window, the whole window shrinks to the width, with nothing moved, from its
// first frame on. Its size is its style's, which a transform leaves as it is, and which it has
// while another lesson is shown.
(() => {
    const windowBox = document.getElementById("window");
    function fitToWidth() {
        const { width, height } = getComputedStyle(windowBox);
        const scale = Math.min(1, document.documentElement.clientWidth / parseFloat(width));
        windowBox.style.transform = scale < 1 ? `scale(${scale})` : "";
        windowBox.style.marginBottom = scale < 1 ? `${parseFloat(height) * (scale - 1)}px` : "";
    }
    // Before the first frame is drawn, not now: reading the width now would lay the page out
    // while it is still being read.
    requestAnimationFrame(fitToWidth);
    addEventListener("resize", fitToWidth);
})();
