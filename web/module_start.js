// SPDX-License-Identifier: GPL-3.0-or-later
// The lessons' module: started with the lessons' scripts, once the window has painted, so
// that the window shows and takes clicks while the module still starts. Clicks that come
// before it is ready wait for it, in their order; where it cannot start, the page says why,
// and so does each click that needed it. The class's work starts here, and then every section
// binds its controls, once.
let lesson = null;
let failure = null;
// Actions waiting for the module, each with whether it needs what the page kept read back.
const waiting = [];
let keptRead = false;

// Said below the window and through the live region.
function showProblem(text) {
    const message = byId("unavailable");
    message.textContent = text;
    message.hidden = false;
    announce(text);
}

function reason(error) {
    return error && error.message ? error.message : String(error);
}

// An action of the lesson, handed the module; a fault in it is said, not swallowed.
function run(action) {
    try {
        action(lesson);
    } catch (error) {
        showProblem(filled(TEXTS.actionFailed, { reason: reason(error) }));
    }
}

// What the page kept, read back by the sections once; from then on, every click is answered
// at once.
function readKept() {
    if (keptRead) return;
    keptRead = true;
    for (const section of SECTIONS) {
        if (section.restore) run(section.restore);
    }
    document.documentElement.dataset.ready = "true";
}

function runStarted(action, needsKept) {
    if (needsKept) readKept();
    run(action);
}

// Runs now with the module there, or once it is, with what was typed at the time; says
// again why not, where it cannot start. An action runs on what the page kept, read back
// first where it has not been yet.
function whenReady(action, needsKept = true) {
    if (lesson) {
        runStarted(action, needsKept);
    } else if (failure) {
        announce(failure);
    } else {
        waiting.push([action, needsKept]);
    }
}

// The lessons' own clicks, which touch nothing the page kept: the first click in the window
// need not wait for the class's work to be read back.
function whenStarted(action) {
    whenReady(action, false);
}

// The module could not start: the window's texts stay readable, the buttons say that they
// are not available, and the clicks that waited are counted, not dropped in silence.
function fail(error) {
    if (failure) return;
    const lost = waiting.splice(0).length;
    failure = filled(TEXTS.moduleFailed, { reason: reason(error) }) +
        (lost === 0 ? "" : lost === 1 ? TEXTS.oneClickLost : filled(TEXTS.clicksLost, { count: lost })) +
        TEXTS.tryAgain;
    for (const button of document.querySelectorAll("[data-needs-module]")) {
        button.setAttribute("aria-disabled", "true");
        button.setAttribute("aria-describedby", "unavailable");
    }
    showProblem(failure);
    document.documentElement.dataset.failed = "true";
}

// The module's WebAssembly, handed to the browser to compile on threads of its own; a
// broken copy of the file fails here.
let compiling = null;
function compileModule() {
    compiling = compiledModule();
    compiling.catch(() => {});
}

// The module's script, run as a script of the page, with the compiled WebAssembly.
function loadModule() {
    try {
        const script = document.createElement("script");
        script.textContent = byId("module").textContent;
        document.body.append(script);
        const instantiateWasm = (imports, receive) => {
            compiling.then(module => WebAssembly.instantiate(module, imports)).then(receive).catch(fail);
            return {};
        };
        CaesarLesson({ instantiateWasm }).then(wasm => {
            lesson = bindLesson(wasm);
            for (const [action, needsKept] of waiting.splice(0)) runStarted(action, needsKept);
            // After the frame that shows what the clicks that waited gave; a page not shown
            // draws no frame, and reads it back once shown, or at an action that needs it.
            requestAnimationFrame(() => setTimeout(readKept));
        }).catch(fail);
    } catch (error) {
        fail(error);
    }
}

// The module's WebAssembly is inflated first, and then compiles on the browser's own threads
// while the sections bind their controls and the module's script is read. Once bound, the
// controls are handed what the student did before.
compileModule();
setTimeout(() => {
    classWork.start();
    for (const section of SECTIONS) section.bind();
    document.documentElement.dataset.usable = "true";
    document.dispatchEvent(new Event("lessonsbound"));
    setTimeout(loadModule);
});
