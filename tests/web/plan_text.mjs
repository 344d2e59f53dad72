// Plans in the command line's --assign format, read and written by the tests.

// A plan (TAG = { ids }, # comments) as a map of id to tag.
export function readPlan(text) {
  const placed = new Map();
  for (const [, tag, ids] of text.replace(/#.*/g, '').matchAll(/(\S+)\s*=\s*\{([^}]*)\}/g)) {
    for (const id of ids.trim().split(/\s+/).filter(Boolean)) placed.set(Number(id), tag);
  }
  return placed;
}

// The same map written as a plan.
export function writePlan(placed) {
  const byTag = new Map();
  for (const [id, tag] of placed) byTag.set(tag, [...(byTag.get(tag) ?? []), id]);
  return [...byTag].map(([tag, ids]) => `${tag} = { ${ids.join(' ')} }\n`).join('');
}
