// Usage: node lower_to_floor.js PAGE PACKAGE_JSON
// Newer emscripten writes syntax that the oldest browsers the page supports
// cannot parse (`x ??= y` is ES2021; Chrome 80 has ES2020 whole), and
// leaves lowering it to a Babel that Debian's emscripten cannot run. So each
// inline script of PAGE that ES2020 cannot parse is rewritten here, in
// place, by Babel's preset-env for the browsers that PACKAGE_JSON names;
// the others stay byte for byte as emscripten wrote them.
"use strict";
const fs = require("fs");
const acorn = require("acorn");
const babel = require("@babel/core");

const [page, packageJson] = process.argv.slice(2);
const targets = JSON.parse(fs.readFileSync(packageJson, "utf8")).browserslist.join(", ");
let lowered = 0;
const html = fs.readFileSync(page, "utf8").replace(/(<script[^>]*>)([\s\S]*?)(<\/script>)/g, (all, open, code, close) => {
  try {
    acorn.parse(code, { ecmaVersion: 2020 });
    return all;
  } catch (e) {
    lowered++;
    const out = babel.transformSync(code, {
      babelrc: false, configFile: false, compact: true, comments: false, sourceType: "script",
      presets: [[require.resolve("@babel/preset-env"), { targets, bugfixes: true, modules: false }]],
    });
    return open + out.code + close;
  }
});
fs.writeFileSync(page, html);
if (lowered)
  console.log(`lower_to_floor: ${page}: ${lowered} script(s) lowered for ${targets}`);
