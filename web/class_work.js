// SPDX-License-Identifier: GPL-3.0-or-later
// The class's work on this device: kept in the browser's storage for the page after every
// action and as the student types, read back when the page opens, handed in as a file, and
// forgotten on request. Each save merges what another tab or copy of the page kept, exercise by
// exercise, and another tab's save is taken in as it happens. Where the browser refuses
// storage, the page works as before and says once that nothing will be kept.
const classWork = (() => {
    // A page that writes the work in another form keeps it apart, and never over this one's.
    const KEY = "caesar-cipher-lesson/work/" + TEXTS.keptFormat;
    // A kept text that this copy cannot read is set aside here, under the time, before anything
    // is written over it; the three latest stay.
    const UNREAD = KEY + "/unread/";
    let storage;  // the page's storage, null where refused; undefined until first asked
    // Nothing is written before what was kept has been read back.
    let readBack = false;

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

    // What the page kept, or null.
    function kept() {
        try {
            return store() ? storage.getItem(KEY) : null;
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
        if (!readBack || !store()) return;
        try {
            let stored = storage.getItem(KEY) ?? "";
            if (stored.length > TEXTS.handedInCap) {
                setAside(stored);
                stored = "";
            }
            const kept = lesson.call("keep", { stored, now: Date.now() });
            if (kept.unreadable) setAside(stored);
            storage.setItem(KEY, kept.kept);
        } catch (error) {
            refused();
        }
    }

    // Another tab's save: its work is taken in, and where it forgot the work, so does this tab.
    function changedElsewhere(event) {
        if (event.key !== KEY || event.newValue === null || !readBack || event.newValue.length > TEXTS.handedInCap) return;
        run(lesson => {
            const merged = lesson.call("merge", { stored: event.newValue, now: Date.now() });
            if (merged.forgotten) byId("hand_in_message").textContent = "";
            exerciseSection.show(merged.state, merged.forgotten);
        });
    }

    // The answer and key as typed go to the exercise's work at once, and to storage a moment
    // after the typing stops.
    let saving = 0;
    // Before the module is ready, what is typed stays in the boxes, for the exercise opened.
    function typed() {
        if (!lesson) return;
        run(lesson => lesson.call("type", { answer: byId("exercise_answer").value, key: byId("exercise_key").value, now: Date.now() }));
        clearTimeout(saving);
        saving = setTimeout(() => run(save), 400);
    }

    function download(fileName, text, type) {
        const link = element("a", { href: URL.createObjectURL(new Blob([text], { type })), download: fileName });
        document.body.append(link);
        link.click();
        link.remove();
        setTimeout(() => URL.revokeObjectURL(link.href), 1000);
    }

    function handIn() {
        whenReady(lesson => {
            const handed = lesson.call("handIn", { name: byId("student_name").value,
                className: byId("student_class").value, number: byId("student_number").value, now: Date.now() });
            save(lesson);
            if (handed.message === "") download(handed.fileName, handed.text, "text/plain;charset=utf-8");
            const said = handed.message || handed.saved;
            byId("hand_in_message").textContent = said;
            announce(said);
        });
    }

    function forget() {
        if (!window.confirm(TEXTS.forgetQuestion)) return;
        whenReady(lesson => {
            exerciseSection.show(lesson.call("forget", { now: Date.now() }), true);
            byId("hand_in_message").textContent = "";
            // The moment of forgetting is kept, so that no other tab writes the old work back.
            save(lesson);
            try {
                if (store()) for (const key of unreadKeys()) storage.removeItem(key);
            } catch (error) {
                refused();
            }
        });
    }

    // An assignment's link, the page's address with the code after "#": the code is typed in
    // for the student, who gives the variant; an assignment already begun with it stays.
    // Any other anchor is not a code.
    function opened() {
        const code = location.hash.slice(1);
        if (!/^[\d -]+$/.test(code) || byId("assignment_code").value.replace(/\D/g, "") === code.replace(/\D/g, "")) return;
        byId("assignment_code").value = code;
        byId("assignment_message").textContent = TEXTS.enterVariant;
        announce(TEXTS.enterVariant);
        byId("assignment_variant").focus();
        byId("assignment_title").scrollIntoView();
    }

    // Once the kept work is read back: what was set aside of it, the link's code, if any, and
    // saving from now on.
    function restored(note) {
        readBack = true;
        if (note !== "") {
            byId("storage_note").textContent = note;
            byId("storage_note").hidden = false;
        }
        opened();
    }

    function bind() {
        byId("hand_in_button").addEventListener("click", handIn);
        byId("forget_progress").addEventListener("click", forget);
        // The teacher's link opened in a tab that has the page already.
        addEventListener("hashchange", opened);
        addEventListener("storage", changedElsewhere);
        // A tab thrown away in the background, or a browser closed at the bell.
        addEventListener("pagehide", () => {
            if (lesson) save(lesson);
        });
        document.addEventListener("visibilitychange", () => {
            if (document.visibilityState === "hidden" && lesson) save(lesson);
        });
    }

    return { bind, kept, save, typed, restored, download };
})();
