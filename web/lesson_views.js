// SPDX-License-Identifier: GPL-3.0-or-later
// The lessons one at a time: the one the address names is shown, and the others are not laid
// out at all. No address is the window's; one that names no lesson is an assignment's link,
// which the exercises read. Moving to a lesson, by its link or by the browser's back and
// forward, moves the focus to its heading.
(() => {
    const views = Array.from(document.querySelectorAll("main > .view"));
    function show(moved) {
        const name = location.hash.slice(1);
        const shown = name === "" ? views[0] : views.find(view => view.id === name) ?? document.getElementById("exercises");
        for (const view of views) view.hidden = view !== shown;
        for (const link of document.querySelectorAll("#lessons a")) {
            if (link.hash !== "#" + shown.id) {
                link.removeAttribute("aria-current");
                continue;
            }
            link.setAttribute("aria-current", "page");
            // In the one row of a narrow screen, the lesson's link is scrolled into sight.
            if (moved) link.scrollIntoView({ block: "nearest", inline: "nearest" });
        }
        if (moved) shown.querySelector("h2").focus();
    }
    show(false);
    addEventListener("hashchange", () => show(true));
})();
