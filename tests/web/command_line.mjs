// The native command line (build/quillmere), whose results the page must give.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import path from 'node:path';
import { repo } from './browser.mjs';

export const program = path.join(repo, 'build', 'quillmere');

// A fresh folder for a test's own files, removed when the process ends.
export function scratch() {
  const folder = mkdtempSync(path.join(tmpdir(), 'quillmere-web-'));
  process.on('exit', () => rmSync(folder, { recursive: true, force: true }));
  return folder;
}

// Runs `quillmere ARGS...` from the top of the checkout: exit code, standard output and error.
export function quillmere(...args) {
  const run = spawnSync(program, args, { cwd: repo, encoding: 'utf8' });
  return { status: run.status, stdout: run.stdout, stderr: run.stderr };
}

// Converts SAVE with the bundled data and the placement options into a scenario of the save's
// name, as the page names it: the scenario's bytes, both reports (the JSON one parsed) and the
// status lines.
export function convert(save, ...placement) {
  const folder = scratch();
  const scenario = path.join(folder, path.basename(save));
  const report = path.join(folder, 'report.json');
  const markdown = path.join(folder, 'report.md');
  const run = quillmere('convert', save, scenario, '--data', 'Data', '--report-json', report, '--report', markdown,
    ...placement);
  if (run.status !== 0) throw new Error(`quillmere convert ${save} failed:\n${run.stderr}`);
  return {
    scenario: readFileSync(scenario), report: JSON.parse(readFileSync(report, 'utf8')),
    markdown: readFileSync(markdown, 'utf8'), status: run.stdout,
  };
}
