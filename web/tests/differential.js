// SPDX-License-Identifier: GPL-3.0-or-later
// Random sessions of clicks, of the Cyrillic section, of breaking encrypted texts, of the
// cipher with a key word and its breaking, of the exercises, in either alphabet, and of the class's work, sent as requests through the
// page's WebAssembly module and through the same boundary built natively (lesson_replay):
// every response must be the same text; the native build answers each request before the next
// is made, so that the class's work can send back what it was given. In both, an index without
// a button changes neither the result, the log nor the codes, and one past 16 bits is refused
// and changes nothing; room for a request of a negative or huge length is refused. With --native-only the
// sessions run through the native build alone, for the sanitizers to watch.
// Usage: node differential.js [--native-only | lesson_module.js] lesson_replay STEPS CIPHERTEXT_CAP
"use strict";
const { spawn } = require("child_process");
const path = require("path");
const readline = require("readline");
const { bindLesson, startLesson } = require(path.join(__dirname, "..", "lesson_binding.js"));

const [modulePath, replay, stepsText, ciphertextCapText] = process.argv.slice(2);
const nativeOnly = modulePath === "--native-only";
const steps = Number(stepsText);
const ciphertextCap = Number(ciphertextCapText);

// xorshift32, so that a failure can be replayed from its seed. Every step stays a 32-bit
// integer: a multiplying generator in doubles loses its low bits past 2^53.
let state = 20261208;
function random(n) {
    state ^= state << 13;
    state ^= state >>> 17;
    state ^= state << 5;
    return (state >>> 0) % n;
}

// Texts that reach every branch: letters of both cases, digits and number syntax, blanks,
// Cyrillic, letters that upper-case into A-Z, surrogates (paired and not) and long runs.
const PIECES = ["A", "z", "Y", "m", "0", "3", "9", "-", "+", ".", "e", "E", " ", "\t", "\n",
    "Ж", "я", "Ю", "ѝ", "Ѝ", "Ы", "э", "ё", "ı", "ß", "ﬀ", "\u{1F600}", "\uD800", "\uDC00", "1e9",
    "2.5", "-2147483648", "99999999999", "1e400", "ABCDEFGHIJKLMNOPQRSTUVWXYZ",
    "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ"];
// The alphabets a request may name, none (A to Z), and one the page never sends.
const ALPHABETS = ["latin", "cyrillic", undefined, "greek"];
// Indices without a button, within 16 bits and past them.
const NO_BUTTON = [-2147483648, -65536, -32769, -32768, -3, 2, 32767, 32768, 65536, 2147483647];
// How often each piece came up in each field, and each kind of step: the run covers only what
// came up.
const pieceCounts = { phrase: [], offset: [], ciphertext: [], answer: [], "Cyrillic phrase": [],
    "key word text": [], "key word": [] };
for (const field of Object.keys(pieceCounts)) pieceCounts[field] = new Array(PIECES.length).fill(0);
const kindCounts = { Calculate: 0, Clear: 0, "no button, within 16 bits": 0,
    "no button, past 16 bits": 0, "phrase past its cap": 0, "break": 0, "break, no letters": 0,
    "break, text past the cap": 0, "row refused": 0, "exercise": 0, "exercise refused": 0,
    "check": 0, "hint": 0, "reveal": 0, "next exercise": 0, "Cyrillic section": 0,
    "Cyrillic section, no result": 0, "alphabet refused": 0, "show exercise": 0, "sheet": 0,
    "sheet refused": 0, "sheet, unknown kind": 0, "malformed": 0, "member of another type": 0, "assignment code": 0,
    "assignment code refused": 0, "assignment": 0, "assignment refused": 0, "next assigned": 0, "type": 0,
    "keep": 0, "keep, damaged": 0, "merge": 0, "merge, damaged": 0, "restore": 0, "restore, damaged": 0, "restore refused": 0, "forget": 0, "hand in": 0,
    "hand in refused": 0, "results file": 0, "results file, damaged": 0, "results file past the cap": 0,
    "results file not counted": 0, "results file unread": 0, "results": 0, "results CSV": 0,
    "results row removed": 0, "results row refused": 0, "results cleared": 0, "moment": 0, "moment refused": 0, "check, boxes": 0, "check, letters": 0,
    "key word": 0, "key word, no result": 0, "key word text past its cap": 0, "key word refused": 0, "key word break": 0,
    "key word break, no letters": 0, "key word length": 0, "key word length refused": 0,
    "key word letter": 0, "key word letter refused": 0, "key word column": 0, "key word column refused": 0,
    "substitution": 0, "substitution, no result": 0, "substitution refused": 0, "substitution, whole key": 0,
    "solving start": 0, "solving, no letters": 0, "solving guess": 0, "solving guess refused": 0,
    "solving break": 0, "solving hint": 0 };
for (const alphabet of ALPHABETS.slice(0, 3)) {
    kindCounts[`break, ${alphabet || "no"} alphabet`] = 0;
    kindCounts[`exercise, ${alphabet || "no"} alphabet`] = 0;
}

// The exercises' kinds, and one the page never sends.
const EXERCISE_KINDS = ["encrypt", "decrypt", "findKey", "calculate", "encryptKeyWord", "decryptKeyWord",
    "encryptSubstitution", "solveSubstitution",
    "other"];
function randomText(field, maxPieces) {
    let text = "";
    const count = random(maxPieces + 1);
    for (let i = 0; i < count; ++i) {
        const piece = random(PIECES.length);
        ++pieceCounts[field][piece];
        text += PIECES[piece];
    }
    return text;
}

// Prints the counts; the names of whatever never came up, or none.
function reportCoverage() {
    const counts = Object.entries(pieceCounts).flatMap(([field, perPiece]) =>
        PIECES.map((piece, i) => [`${field} ${JSON.stringify(piece)}`, perPiece[i]]))
        .concat(Object.entries(kindCounts));
    console.log(counts.map(([name, count]) => `${name} ${count}`).join(", "));
    return counts.filter(([, count]) => count === 0).map(([name]) => name);
}

// The breaking section's texts: English and Bulgarian letters, so that ranking is not all
// noise, and the pieces above; now and then past the section's cap, with a surrogate pair
// across it.
const PROSE = "Thequickbrownfoxjumpsoverthelazydog Meet me at noon by the old harbour wall. " +
    "Всеки ден научаваме нещо ново за света около нас. ";
function randomBreak() {
    ++kindCounts["break"];
    let text;
    if (random(40) === 0) {
        text = PROSE.repeat(Math.ceil(ciphertextCap / PROSE.length)).slice(0, ciphertextCap - 1) +
            "\u{1F600}" + PROSE;
        ++kindCounts["break, text past the cap"];
    } else {
        text = randomText("ciphertext", 8);
        for (let words = random(12); words > 0; --words) {
            const start = random(PROSE.length);
            text += PROSE.slice(start, start + random(30)) + randomText("ciphertext", 1);
        }
    }
    const alphabet = ALPHABETS[random(ALPHABETS.length)];
    return [{ action: "break", text, ...alphabet && { alphabet } }, { action: "choose", row: random(32) - 1 }];
}

// A step of the section on the cipher with a key word: a text encrypted or decrypted, now and
// then in a way the page never asks for; a text broken, as the breaking section's; another
// length, a column's letter or a column shown, some out of range.
function randomKeyWord() {
    const alphabet = ALPHABETS[random(ALPHABETS.length)];
    const roll = random(5);
    if (roll === 0) {
        const direction = ["encrypt", "decrypt", "other"][random(3)];
        const long = random(20) === 0;
        kindCounts["key word text past its cap"] += long ? 1 : 0;
        return [{ action: "vigenere", direction, text: long ? PROSE.repeat(8) : randomText("key word text", 14),
            keyWord: randomText("key word", 3), ...alphabet && { alphabet } }];
    }
    if (roll === 1) return [{ ...randomBreak()[0], action: "vigenereBreak" }];
    if (roll === 2) return [{ action: "vigenereLength", length: random(15) - 1 }];
    if (roll === 3) return [{ action: "vigenereColumn", column: random(14) - 1 }];
    const capitals = PIECES[34] + PIECES[35];
    const letter = random(2) === 0 ? capitals[random(capitals.length)] : PIECES[random(PIECES.length)];
    return [{ action: "vigenereLetter", column: random(6) - 1, letter }];
}

// A step of the substitution: a text encrypted or decrypted with a key word or a whole
// alphabet, some with a letter twice; a text to solve, a guess for one of its letters or for
// another character, the text broken, or a hint.
let solvingText = { text: "" };
function randomSubstitution() {
    const alphabet = ALPHABETS[random(ALPHABETS.length)];
    const roll = random(5);
    if (roll === 0) {
        const direction = ["encrypt", "decrypt", "other"][random(3)];
        const letters = Array.from(alphabet === "cyrillic" ? "АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЬЮЯ" : "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
        const whole = random(3) === 0;
        kindCounts["substitution, whole key"] += whole ? 1 : 0;
        for (let i = letters.length - 1; i > 0; --i) {
            const j = random(i + 1);
            [letters[i], letters[j]] = [letters[j], letters[i]];
        }
        const key = whole ? letters.join("").slice(random(2)) + letters[random(letters.length)].repeat(random(2))
            : randomText("key word", 3);
        return { action: "substitution", direction, text: randomText("key word text", 14), key, ...alphabet && { alphabet } };
    }
    if (roll === 1) {
        solvingText = { ...randomBreak()[0], action: undefined };
        return { ...solvingText, action: "solvingStart" };
    }
    if (roll === 2) {
        const capitals = PIECES[34] + PIECES[35];
        const letter = random(2) === 0 ? capitals[random(capitals.length)] : PIECES[random(PIECES.length)];
        return { action: "solvingGuess", letter, guess: random(2) === 0 ? capitals[random(capitals.length)] : PIECES[random(PIECES.length)] };
    }
    // Mostly on the text started on, so that hints run to their end.
    if (random(3) === 0) solvingText = { ...randomBreak()[0], action: undefined };
    return { ...solvingText, action: roll === 3 ? "solvingBreak" : "solvingHint" };
}

// A step of the exercises: one opened by any kind and a number or another text, an answer
// checked with a key, a hint, the answer shown, or the next number.
function randomExercise() {
    const roll = random(5);
    if (roll === 0) {
        const number = random(2) === 0 ? String(random(10001)) : randomText("answer", 2);
        const alphabet = ALPHABETS[random(ALPHABETS.length)];
        return { action: "exercise", kind: EXERCISE_KINDS[random(EXERCISE_KINDS.length)], number, ...alphabet && { alphabet } };
    }
    if (roll === 1) {
        // Now and then the boxes of the window's arithmetic, joined as the page joins them.
        const boxes = random(3) === 0;
        kindCounts[boxes ? "check, boxes" : "check, letters"] += 1;
        const answer = boxes ? Array.from({ length: random(45) }, () => randomText("answer", 2)).join(";") : randomText("answer", 12);
        return { action: "checkAnswer", answer, key: randomText("offset", 2) };
    }
    return { action: ["hint", "reveal", "nextExercise", "showExercise"][random(4)] };
}

// A teacher's sheet of a few kinds, now and then one the page never sends, and small counts
// typed, some out of range.
function randomSheet() {
    const kinds = EXERCISE_KINDS.filter(() => random(3) === 0);
    const count = () => (random(6) === 0 ? randomText("answer", 1) : String(random(4)));
    const alphabet = ALPHABETS[random(ALPHABETS.length)];
    return { action: "sheet", kinds, perSheet: count(), variants: count(), first: String(random(10001)),
        ...alphabet && { alphabet } };
}

// The class's work: codes made and typed with a variant, the assignment walked and typed into,
// the work kept and merged with what was kept before, handed in, and what came back sent
// again, now and then damaged; a file now and then past the cap, and a request now and then
// with its moment, a fraction refused.
const NAMES = ["Иван Петров", "=Ана; \"Б\"", "Мая", "", "<b>", "я".repeat(61)];
const CLASS_WORK = ["assignmentCode", "assignment", "nextAssigned", "type", "keep", "merge", "restore", "handIn",
    "addResults", "results", "resultsCsv", "removeResult", "clearResults"];
function damaged(texts, kind) {
    const text = texts.length > 0 ? texts[random(texts.length)] : "";
    if (random(3) !== 0) return text;
    ++kindCounts[kind];
    const at = random(text.length + 1);
    return text.slice(0, at) + ["", "x\n" + text.slice(at), text.slice(at + 1)][random(3)];
}
function randomClassWork(earlier) {
    // Forgetting ends the assignment, so it comes seldom; the first two codes mostly, so that
    // the table gets files of one assignment.
    const action = random(40) === 0 ? "forget" : CLASS_WORK[random(CLASS_WORK.length)];
    const members = {
        assignmentCode: () => random(2) === 0 ? randomSheet() : { kinds: ["decrypt", "findKey"],
            alphabet: "cyrillic", perSheet: String(1 + random(3)), variants: "40", first: String(1 + random(9999)) },
        assignment: () => ({ variant: String(random(42)), code: earlier.codes.length > 0 && random(4) !== 0 ?
            earlier.codes[random(Math.min(2, earlier.codes.length))] : randomText("answer", 3) }),
        type: () => ({ answer: randomText("answer", 6), key: randomText("offset", 1) }),
        // Now and then a text that is no kept work at all, which must be refused.
        restore: () => ({ kept: random(12) === 0 ? "no kept work" : damaged(earlier.kept, "restore, damaged") }),
        keep: () => ({ stored: damaged(earlier.kept, "keep, damaged") }),
        merge: () => ({ stored: damaged(earlier.kept, "merge, damaged") }),
        handIn: () => ({ name: NAMES[random(NAMES.length)], className: ["9а", "10б", "9а отличници"][random(3)],
            number: String(random(101)) }),
        addResults: () => {
            const text = damaged(earlier.handed, "results file, damaged");
            const past = random(10) === 0;
            kindCounts["results file past the cap"] += past ? 1 : 0;
            const unread = random(20) === 0;
            kindCounts["results file unread"] += unread ? 1 : 0;
            return { fileName: "f.txt", size: past ? (1 << 20) + 1 : text.length, text, ...unread && { unread: "NotReadableError" } };
        },
        results: () => ({ sortBy: random(12) - 1 }),
        removeResult: () => ({ row: random(6) - 1 }),
    }[action];
    const now = [undefined, 1765353790000 + random(1e9), 1765353790000 + random(1e9), -1, 2.5][random(5)];
    return { ...members && members(), action, ...now !== undefined && { now } };
}

// Requests the page never writes, each to be refused whole: cut off, of another shape, with
// a member twice or one its action does not know, a list where a text belongs, a fraction.
const MALFORMED = ['{"action":"hint"', '[]', '"hint"', '{"action":"hint","action":"hint"}',
    '{"action":"hint","extra":""}', '{"action":"reveal","":0}', '{"action":"sheet","kinds":"encrypt",' +
    '"perSheet":"1","variants":"1","first":"1"}', '{"action":"sheet","kinds":[["encrypt"]],"perSheet":"1",' +
    '"variants":"1","first":"1"}', '{"action":"click","index":0.5,"phrase":"A","offset":"1"}',
    '{"action":"exercise","kind":"encrypt","number":1}', '{"action":"choose","row":"1"}', '{"action":{}}'];
// Requests with a member of another type where the action can do without it: taken as
// missing, never refused.
const OTHER_TYPE = ['{"action":"break","text":"A","alphabet":1}', '{"action":"results","sortBy":"x"}',
    '{"action":"addResults","fileName":"a.txt","size":3,"text":"abc","unread":1}'];

// The requests of a session, each answered by `answer` before the next is made.
async function randomSteps(answer) {
    const requests = [{ action: "form" }];
    const earlier = { codes: [], kept: [], handed: [] };
    for (let i = 0, answered = 0; i <= steps; ++i) {
        for (; answered < requests.length; ++answered) {
            const request = requests[answered];
            const response = JSON.parse(await answer(request));
            const gave = { assignmentCode: [earlier.codes, response.code], keep: [earlier.kept, response.kept],
                handIn: [earlier.handed, response.text] }[request.action];
            if (gave && gave[1]) gave[0].push(gave[1]);
        }
        if (i === steps) break;
        if (random(8) === 0) {
            requests.push(randomClassWork(earlier));
            continue;
        }
        if (random(8) === 0) {
            requests.push(...randomBreak());
            continue;
        }
        if (random(8) === 0) {
            requests.push(randomExercise());
            continue;
        }
        if (random(8) === 0) {
            requests.push(...randomKeyWord());
            continue;
        }
        if (random(10) === 0) {
            requests.push(randomSubstitution());
            continue;
        }
        if (random(40) === 0) {
            const roll = random(3);
            requests.push(roll === 0 ? randomSheet() : roll === 1 ? { raw: MALFORMED[random(MALFORMED.length)] }
                : { raw: OTHER_TYPE[random(OTHER_TYPE.length)], taken: true });
            continue;
        }
        if (random(8) === 0) {
            const key = random(2) === 0 ? String(random(121) - 60) : randomText("offset", 3);
            requests.push({ action: "cyrillic", phrase: randomText("Cyrillic phrase", 12), key });
            continue;
        }
        // Mostly Calculate, sometimes Clear, now and then an index without a button; the
        // phrase sometimes past the page's cap, to reach the 300-letter limit too.
        const roll = random(20);
        const index = roll < 14 ? 0 : roll < 19 ? 1 : NO_BUTTON[random(NO_BUTTON.length)];
        const long = random(50) === 0;
        kindCounts["phrase past its cap"] += long ? 1 : 0;
        const phrase = long ? "AB".repeat(160) : randomText("phrase", 12);
        requests.push({ action: "click", index, phrase, offset: randomText("offset", 3) });
        if (index !== 0 && index !== 1) requests.push({ action: "form" });
    }
    return requests;
}

// Whether the responses keep the boundary's promises; the first broken one, or null.
function brokenPromise(requests, responses) {
    let form = null;  // the form's state before the step
    for (let i = 0; i < requests.length; ++i) {
        const request = requests[i];
        let response;
        try {
            response = JSON.parse(responses[i]);
        } catch (error) {
            return `step ${i}: no JSON: ${String(responses[i]).slice(0, 120)}`;
        }
        if (response.error !== undefined && request.alphabet === "greek") {
            ++kindCounts["alphabet refused"];
            continue;
        }
        if (request.raw !== undefined) {
            if ((response.error === undefined) !== (request.taken === true)) return `step ${i}: ${request.raw} refused or not`;
            ++kindCounts[request.taken ? "member of another type" : "malformed"];
            continue;
        }
        if (request.now !== undefined) {
            const whole = Number.isInteger(request.now);
            if (!whole && response.error === undefined) return `step ${i}: now ${request.now} not refused`;
            ++kindCounts[whole ? "moment" : "moment refused"];
            if (!whole) continue;
        }
        if (request.size > 1 << 20 && response.line === "") return `step ${i}: a file past the cap counted`;
        const classWork = { assignmentCode: response.code ? "assignment code" : "assignment code refused",
            assignment: response.assignmentMessage === "" ? "assignment" : "assignment refused",
            restore: response.message === "" ? "restore" : "restore refused", handIn: response.text ? "hand in" : "hand in refused",
            addResults: response.line === "" ? "results file" : "results file not counted", nextAssigned: "next assigned",
            type: "type", keep: "keep", merge: "merge", forget: "forget", results: "results", resultsCsv: "results CSV",
            removeResult: response.error === undefined ? "results row removed" : "results row refused",
            clearResults: "results cleared" }[request.action];
        if (classWork) {
            ++kindCounts[classWork];
            continue;
        }
        if (request.action === "sheet") {
            const unknown = request.kinds.includes("other");
            if (unknown !== (response.error !== undefined)) return `step ${i}: kinds ${request.kinds} ${unknown ? "not " : ""}refused`;
            ++kindCounts[unknown ? "sheet, unknown kind" : response.message === "" ? "sheet" : "sheet refused"];
            continue;
        }
        // An exercise refused for its number stays the one before, in its own alphabet.
        if (request.action === "break" || (request.action === "exercise" && response.message === "")) {
            const named = `${request.action}, ${request.alphabet || "no"} alphabet`;
            if (response.alphabet !== (request.alphabet || "latin")) return `step ${i}: ${named} answered in ${response.alphabet}`;
            ++kindCounts[named];
        }
        const keyWord = { vigenere: response.error !== undefined ? "key word refused"
                : response.result === "" ? "key word, no result" : "key word",
            vigenereBreak: response.broken ? "key word break" : "key word break, no letters",
            vigenereLength: response.error === undefined ? "key word length" : "key word length refused",
            vigenereLetter: response.error === undefined ? "key word letter" : "key word letter refused",
            vigenereColumn: response.error === undefined ? "key word column" : "key word column refused" }[request.action];
        if (keyWord) {
            ++kindCounts[keyWord];
            continue;
        }
        const substitution = { substitution: response.error !== undefined ? "substitution refused"
                : response.result === "" ? "substitution, no result" : "substitution",
            solvingStart: response.solving ? "solving start" : "solving, no letters",
            solvingGuess: response.error === undefined ? "solving guess" : "solving guess refused",
            solvingBreak: "solving break", solvingHint: "solving hint" }[request.action];
        if (substitution) {
            ++kindCounts[substitution];
            continue;
        }
        if (request.action === "cyrillic") ++kindCounts[response.result === "" ? "Cyrillic section, no result" : "Cyrillic section"];
        if (request.action === "break" && response.rows.length === 0) ++kindCounts["break, no letters"];
        if (request.action === "choose" && response.error !== undefined) ++kindCounts["row refused"];
        if (request.action === "exercise") {
            ++kindCounts[response.error !== undefined || response.message !== "" ? "exercise refused" : "exercise"];
        }
        const exerciseKinds = { checkAnswer: "check", hint: "hint", reveal: "reveal", nextExercise: "next exercise",
            showExercise: "show exercise" };
        if (exerciseKinds[request.action]) ++kindCounts[exerciseKinds[request.action]];
        if (request.action === "click" && (request.index === 0 || request.index === 1)) {
            ++kindCounts[request.index === 0 ? "Calculate" : "Clear"];
            form = response;
        } else if (request.action === "form") {
            form = response;
        } else if (request.action === "click") {
            // Followed by a request for the form's state.
            const within = request.index >= -32768 && request.index <= 32767;
            ++kindCounts[within ? "no button, within 16 bits" : "no button, past 16 bits"];
            if (within === (response.error !== undefined)) {
                return `step ${i}: index ${request.index} ${within ? "refused" : "not refused"}`;
            }
            const after = JSON.parse(responses[i + 1]);
            for (const key of within ? ["result", "log", "codes"] : Object.keys(form)) {
                if (JSON.stringify(after[key]) !== JSON.stringify(form[key])) {
                    return `step ${i}: index ${request.index} changed the ${key}`;
                }
            }
        }
    }
    return null;
}

// Room for requests of these lengths must be refused, and for this one granted.
const REFUSED_LENGTHS = [-1, -2147483648, 2147483647];
const GRANTED_LENGTH = 0;

function asciiRequests(requests, lesson) {
    return requests.map(request => {
        if (request.raw !== undefined) return request.raw;
        const { action, ...args } = request;
        return lesson.request(action, args);
    });
}

async function main() {
    const child = spawn(replay, { stdio: ["pipe", "pipe", "inherit"] });
    const lines = readline.createInterface({ input: child.stdout })[Symbol.asyncIterator]();
    const ask = async text => {
        child.stdin.write(text + "\n");
        return (await lines.next()).value;
    };
    const rooms = REFUSED_LENGTHS.concat(GRANTED_LENGTH).map(length => `ROOM ${length}`);
    const nativeRooms = [];
    for (const room of rooms) nativeRooms.push(await ask(room));
    // The binding's way of writing a request, without a module behind it.
    const writer = bindLesson(null);
    const native = [];
    const requests = await randomSteps(async request => {
        native.push(await ask(asciiRequests([request], writer)[0]));
        return native.at(-1);
    });
    child.stdin.end();
    const texts = asciiRequests(requests, writer);
    const expectedRooms = REFUSED_LENGTHS.map(() => "refused").concat("granted");
    let failures = nativeRooms.join() === expectedRooms.join() ? 0 : 1;
    if (failures) console.error(`native room for ${rooms.join(", ")}: ${nativeRooms.join(", ")}`);
    let mismatches = 0;
    if (!nativeOnly) {
        const wasm = await startLesson(path.resolve(modulePath));
        const lesson = bindLesson(wasm);
        const webRooms = REFUSED_LENGTHS.concat(GRANTED_LENGTH)
            .map(length => wasm._lesson_request(length) === 0 ? "refused" : "granted");
        if (webRooms.join() !== expectedRooms.join()) {
            console.error(`web room for ${rooms.join(", ")}: ${webRooms.join(", ")}`);
            ++failures;
        }
        texts.forEach((text, i) => {
            const web = lesson.callText(text);
            if (web !== native[i]) {
                if (mismatches < 3) console.error(`step ${i}: ${text.slice(0, 200)}\n web    ${String(web).slice(0, 200)}\n native ${native[i].slice(0, 200)}`);
                ++mismatches;
            }
        });
    }
    const broken = brokenPromise(requests, native);
    if (broken) {
        console.error(broken);
        ++failures;
    }
    console.log(`${nativeOnly ? "native alone" : "web against native"}: ${mismatches} mismatches in ` +
        `${requests.length} requests of ${steps} steps`);
    const missed = reportCoverage();
    if (missed.length > 0) console.error(`never came up: ${missed.join(", ")}`);
    process.exit(mismatches === 0 && failures === 0 && missed.length === 0 ? 0 : 1);
}
main().catch(error => { console.error(error); process.exit(1); });
