#!/usr/bin/env python3
"""Checks what the repository's Markdown files refer to:

  - every relative link and image resolves to a file or folder of the
    repository, and every anchor (file.md#anchor, #anchor) names a heading
    of that file, by GitHub's rules: lower case, punctuation dropped but for
    hyphens and underscores, each space a hyphen, a repeated heading -1, -2;
  - every `make TARGET` in code (spans and blocks) is a target of the
    Makefile;
  - every path under scripts/, tests/, packaging/, cmake/, bench/, fuzz/,
    src/, res/, docs/ or include/ that a document names exists (a * matches as in the
    shell; a <placeholder> stands for a name inside the folder before it).

The files are those git knows, plus new ones it does not ignore.
  check_docs.py [REPOSITORY]        exit 0 when all holds, 1 otherwise."""
import fnmatch
import os
import re
import subprocess
import sys
import unicodedata

root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else '.')
listed = subprocess.run(['git', '-C', root, 'ls-files', '-z', '--cached', '--others',
                         '--exclude-standard'], check=True, capture_output=True, text=True)
files = {f for f in listed.stdout.split('\0') if f and os.path.exists(os.path.join(root, f))}
folders = {os.path.dirname(f) for f in files}
folders |= {p for d in folders for p in [d[:i] for i, c in enumerate(d) if c == '/']}
docs = sorted(f for f in files if f.endswith('.md'))
targets = set()
for line in open(os.path.join(root, 'Makefile'), encoding='utf-8'):
    m = re.match(r'([A-Za-z0-9_.-]+(?:[ \t]+[A-Za-z0-9_.-]+)*)[ \t]*:(?!=)', line)
    if m:
        targets.update(t for t in m.group(1).split() if not t.startswith('.'))

FENCE = re.compile(r'^ {0,3}(```+|~~~+).*?^ {0,3}\1[ \t]*$', re.M | re.S)
SPAN = re.compile(r'(?<!`)(`+)(?!`)((?:(?!\n[ \t]*\n).)+?)(?<!`)\1(?!`)', re.S)
LINK = re.compile(r'\]\(\s*<?([^()\s<>]*)>?(?:\s+"[^"]*")?\s*\)|^ {0,3}\[[^\]]+\]:\s*<?(\S+?)>?$', re.M)
MAKE = re.compile(r'(?<![\w./$-])make((?:[ \t]+[^\s#;&|)`]+)+)')
PATH = re.compile(r'(?<![\w./:~-])(?:scripts|tests|packaging|cmake|bench|fuzz|src|res|docs|include)/[\w.*<>/-]*')


def anchors(path):
    """The anchors GitHub gives the headings of a Markdown file."""
    seen, found = {}, set()
    for line in FENCE.sub('', open(os.path.join(root, path), encoding='utf-8').read()).split('\n'):
        m = re.match(r' {0,3}#{1,6}[ \t]+(.*?)(?:[ \t]+#+)?[ \t]*$', line)
        if not m:
            continue
        text = re.sub(r'!?\[([^\]]*)\]\([^)]*\)', r'\1', m.group(1))  # a link: its text
        text = re.sub(r'<[^>]+>|`', '', text).lower()
        slug = ''.join(c for c in text if c in ' -' or unicodedata.category(c)[0] in 'LNM'
                       or unicodedata.category(c) == 'Pc').replace(' ', '-')
        base = slug
        while slug in seen:
            seen[base] += 1
            slug = f'{base}-{seen[base]}'
        seen[slug] = 0
        found.add(slug)
    return found


def exists(path):
    path = path.rstrip('/')
    if '<' in path:  # a placeholder: the folder before it must exist
        return exists(path[:path.index('<')].rsplit('/', 1)[0])
    if '*' in path:
        return any(fnmatch.fnmatchcase(f, path) for f in files | folders)
    return path in files or path in folders


errors, counts = [], dict(links=0, anchors=0, targets=0, paths=0)
for doc in docs:
    text = open(os.path.join(root, doc), encoding='utf-8').read()
    code = [m.group(0) for m in FENCE.finditer(text)]
    prose = FENCE.sub('', text)
    code += [m.group(2).replace('\n', ' ') for m in SPAN.finditer(prose)]
    prose = SPAN.sub('', prose)

    for m in LINK.finditer(prose):
        link = m.group(1) or m.group(2) or ''
        if re.match(r'[a-z][a-z0-9+.-]*:', link, re.I) or not link:
            continue  # a web address, mail address or other scheme
        file, _, anchor = link.partition('#')
        target = os.path.normpath(os.path.join(os.path.dirname(doc), file)) if file else doc
        counts['links'] += 1
        if target.startswith('..') or not exists(target):
            errors.append(f'{doc}: link to {link}: no {target} in the repository')
        elif anchor:
            counts['anchors'] += 1
            if not target.endswith('.md') or anchor not in anchors(target):
                errors.append(f'{doc}: link to {link}: {target} has no heading #{anchor}')

    for piece in code:
        for m in MAKE.finditer(piece):
            for word in m.group(1).split():
                if word.startswith('-') or '=' in word:
                    continue  # an option or a variable
                if not re.fullmatch(r'[a-z][a-z0-9_-]*', word):
                    break
                counts['targets'] += 1
                if word not in targets:
                    errors.append(f'{doc}: `make {word}`: the Makefile has no target {word}')

    for m in PATH.finditer(re.sub(r'\]\([^)]*\)', '](', text)):  # links are checked above
        path = m.group(0).rstrip('.')
        counts['paths'] += 1
        if not exists(path):
            errors.append(f'{doc}: {path}: no such file or folder in the repository')

for e in errors:
    print(e)
summary = ', '.join(f'{n} {what}' for what, n in counts.items())
print(f'check_docs: {len(docs)} Markdown files, {summary} checked; {len(errors)} wrong')
# A run that found nothing to check has checked nothing.
sys.exit(1 if errors or not docs or not targets or not counts['links'] else 0)
