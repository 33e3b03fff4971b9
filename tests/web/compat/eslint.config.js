// The compatibility check of the page's JavaScript, emscripten's loader
// included: every Web API it uses must be in each browser that the project's package.json's
// browserslist names (eslint-plugin-compat, from MDN's and caniuse's data),
// and no syntax or built-in newer than ES2020, the last edition that all of
// them have whole (Chrome 80 lacks ES2021's logical assignment and
// String.prototype.replaceAll; eslint-plugin-es-x).
"use strict";
const compat = require("eslint-plugin-compat");
const esx = require("eslint-plugin-es-x");

module.exports = [{
  files: ["**/*.js"],
  languageOptions: { ecmaVersion: "latest", sourceType: "script" },
  linterOptions: { reportUnusedDisableDirectives: false },
  plugins: { compat, "es-x": esx },
  settings: { "es-x": { aggressive: true } },
  rules: Object.assign({ "compat/compat": "error" }, esx.configs["flat/restrict-to-es2020"].rules),
}];
