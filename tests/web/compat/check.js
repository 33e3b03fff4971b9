// Usage: node check.js PAGE... Checks every script of each page against the
// browsers that the project's package.json names (eslint.config.js says how), and fails
// naming each feature that one of them lacks, with where it is used.
"use strict";
const fs = require("fs");
const path = require("path");
const { FlatESLint } = require("eslint/use-at-your-own-risk");

async function main(pages) {
  const eslint = new FlatESLint({ cwd: __dirname, overrideConfigFile: path.join(__dirname, "eslint.config.js") });
  let problems = 0, scripts = 0;
  for (const page of pages) {
    const html = fs.readFileSync(page, "utf8");
    for (const [, code] of html.matchAll(/<script[^>]*>([\s\S]*?)<\/script>/g)) {
      const where = `${path.basename(page)}, script ${++scripts}`;
      const [result] = await eslint.lintText(code, { filePath: path.join(__dirname, "page.js") });
      for (const m of result.messages) {
        problems++;
        const line = code.split("\n")[m.line - 1] || "";
        const why = (m.ruleId || "").startsWith("es-x/") ? ", newer than ES2020, the last edition Chrome 80 has whole" : "";
        console.error(`${where}, line ${m.line}: ${m.message}${why} (${m.ruleId || "syntax"}): ` +
                      line.slice(Math.max(0, m.column - 40), m.column + 40).trim());
      }
    }
  }
  const browsers = require("browserslist")(require("../../../package.json").browserslist);
  if (!scripts) problems++, console.error("no script found in " + pages.join(", "));
  console.log(`${scripts} scripts checked against ${browsers.length} browser versions, the oldest ` +
              require("../../../package.json").browserslist.join(", ") + `: ${problems} problems`);
  process.exit(problems ? 1 : 0);
}

main(process.argv.slice(2)).catch((e) => { console.error(e); process.exit(2); });
