// SPDX-License-Identifier: GPL-3.0-or-later
// The class's work on this device, the one place that touches the browser's storage: kept
// there after every action and as the student types, and read back when the page opens. Each
// save merges what another tab or copy of the page kept, exercise by exercise, and another
// tab's save is taken in as it happens. Where the browser refuses storage, the page works as
// before and says once that nothing will be kept.
const classWork = (() => {
    // A page that writes the work in another form keeps it apart, and never over this one's.
    const KEY = "caesar-cipher-lesson/work/" + TEXTS.keptFormat;
    // A kept text that this copy cannot read is set aside here, under the time, before anything
    // is written over it; the three latest stay.
    const UNREAD = KEY + "/unread/";
    let storage;  // the page's storage, null where refused; undefined until first asked
    // Shows another tab's work taken in; null until what was kept has been read back, and
    // nothing is written before.
    let showMerged = null;

    function refused() {
        storage = null;
        const note = byId("storage_note");
        if (note.hidden) {
            note.textContent = TEXTS.storageRefused;
            note.hidden = false;
            announce(TEXTS.storageRefused);
        }
    }

    // The storage, tried once by writing to it: private windows may read and refuse writes.
    function store() {
        if (storage === undefined) {
            try {
                storage = window.localStorage;
                storage.setItem(KEY + "/probe", "1");
                storage.removeItem(KEY + "/probe");
            } catch (error) {
                refused();
            }
        }
        return storage;
    }

    // A kept text as the module is sent it: it reads no more than its cap, and takes one more
    // character for a text too long to be the page's.
    const sent = text => text.slice(0, TEXTS.keptCap + 1);

    // What the page kept, or null.
    function kept() {
        try {
            const text = store() ? storage.getItem(KEY) : null;
            return text === null ? null : sent(text);
        } catch (error) {
            refused();
            return null;
        }
    }

    function unreadKeys() {
        return Array.from({ length: storage.length }, (_, i) => storage.key(i)).filter(key => key?.startsWith(UNREAD)).sort();
    }

    function setAside(text) {
        storage.setItem(UNREAD + new Date().toISOString(), text);
        for (const key of unreadKeys().slice(0, -3)) storage.removeItem(key);
    }

    // Read, merged and written: what another tab kept since is taken in, never written over.
    // Setting aside a text that cannot be read must succeed before it is written over.
    function save(lesson) {
        if (!showMerged || !store()) return;
        try {
            const stored = storage.getItem(KEY) ?? "";
            const kept = lesson.call("keep", { stored: sent(stored), now: Date.now() });
            if (kept.unreadable) setAside(stored);
            storage.setItem(KEY, kept.kept);
        } catch (error) {
            refused();
        }
    }

    // What was typed goes to storage a moment after the typing stops.
    let saving = 0;
    function saveSoon() {
        clearTimeout(saving);
        saving = setTimeout(() => run(save), 400);
    }

    // The work forgotten: its moment kept, so that no other tab writes the old work back, and
    // what was set aside dropped with it.
    function forget(lesson) {
        save(lesson);
        try {
            if (store()) for (const key of unreadKeys()) storage.removeItem(key);
        } catch (error) {
            refused();
        }
    }

    // Another tab's save: its work is taken in, and where it forgot the work, so does this tab.
    function changedElsewhere(event) {
        if (event.key !== KEY || event.newValue === null || !showMerged) return;
        run(lesson => showMerged(lesson.call("merge", { stored: sent(event.newValue), now: Date.now() })));
    }

    // Once the kept work is read back: what was set aside of it, if anything, saving from now
    // on, and another tab's work shown by `show` as it comes.
    function restored(note, show) {
        showMerged = show;
        // Not before: another tab's work is taken in only from here on, and listening opens a
        // storage connection, which the window's first click need not wait for.
        addEventListener("storage", changedElsewhere);
        if (note !== "") {
            byId("storage_note").textContent = note;
            byId("storage_note").hidden = false;
        }
    }

    function start() {
        // A tab thrown away in the background, or a browser closed at the bell.
        addEventListener("pagehide", () => {
            if (lesson) save(lesson);
        });
        document.addEventListener("visibilitychange", () => {
            if (document.visibilityState === "hidden" && lesson) save(lesson);
        });
    }

    return { start, kept, restored, save, saveSoon, forget };
})();
