// Firefox ESR from Debian, driven over WebDriver BiDi through puppeteer-core, for the page's
// tests in Python (engines.py): one command a line on standard input, as JSON, each answered
// with one line on standard output: {"value": ...} or {"error": "..."}.
//   node firefox.mjs '{"dark": false}'
//   {"op": "goto", "url": ...}  {"op": "eval", "script": ...}  {"op": "shot"}
//   {"op": "click", "selector": ...}  {"op": "close"}
import puppeteer from "puppeteer-core";
import readline from "node:readline";

const options = JSON.parse(process.argv[2] || "{}");
const browser = await puppeteer.launch({
  browser: "firefox", executablePath: "/usr/bin/firefox-esr", protocol: "webDriverBiDi",
  headless: false, args: ["--kiosk", "--width=480", "--height=720"],
  extraPrefsFirefox: {
    // 0: dark, 1: light, as the page's colour scheme
    "layout.css.prefers-color-scheme.content-override": options.dark ? 0 : 1,
    "ui.systemUsesDarkTheme": options.dark ? 1 : 0,
  },
});
const page = (await browser.pages())[0];

const commands = {
  goto: (c) => page.goto(c.url).then(() => null),
  eval: (c) => page.evaluate(c.script),
  shot: () => page.screenshot({ encoding: "base64" }),
  click: (c) => page.click(c.selector).then(() => null),
  close: () => browser.close().then(() => process.exit(0)),
};

for await (const line of readline.createInterface({ input: process.stdin })) {
  const c = JSON.parse(line);
  let answer;
  try {
    answer = { value: (await commands[c.op](c)) ?? null };
  } catch (e) {
    answer = { error: String(e && e.message || e) };
  }
  process.stdout.write(JSON.stringify(answer) + "\n");
}
await browser.close();
