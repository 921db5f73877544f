#!/usr/bin/env python3
"""Fails when a text the user sees has no finished German or French translation.

The texts are read from the sources: what src/app passes to the translator, and the core's
fixed captions and messages that the window translates where it shows them.
"""
import re
import warnings
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

# Raw string literals (regular expressions) are read as plain ones here; their escapes do not matter.
warnings.filterwarnings("ignore", category=DeprecationWarning)

LITERAL = r'"(?:[^"\\]|\\.)*"'
# What the core hands the window as whole, fixed texts.
CORE_PATTERNS = [
    r'Caption\s*=\s*(?:[\w.]+\s*\?\s*)?(' + LITERAL + r')(?:\s*:\s*(' + LITERAL + r'))?;',
    r'ShowMessageBox\((' + LITERAL + r'),\s*(' + LITERAL + r')\)',
    r'Refusal\((' + LITERAL + r'),',
    r'Failure\((' + LITERAL + r')\)',
    r'Title\s*=\s*(' + LITERAL + r');',
    r'ShowWork\((' + LITERAL + r')\)',
]


def unquote(literal):
    return bytes(literal[1:-1], 'utf-8').decode('unicode_escape')


def joined_literals(code):
    """Each run of adjacent string literals, as the compiler joins them."""
    code = re.sub(r'^\s*//.*$', '', code, flags=re.M)
    for run in re.finditer(r'(?:' + LITERAL + r'\s*)+', code):
        yield ''.join(unquote(x) for x in re.findall(LITERAL, run.group(0)))


def run_time_texts(code):
    """What the core builds at run time for the window to translate: every template with a %1
    placeholder, the fixed texts it fills in, and the fixed reasons that functions returning a
    message give."""
    found = {t for t in joined_literals(code) if re.search(r'%[1-9]', t) and re.search('[A-Za-z]', t)}
    for literal in re.findall(r'\bMessage\((' + LITERAL + r')\)', code):
        found.add(unquote(literal))
    for literal in re.findall(r'ThrowNotValid\([^;]*?,\s*(' + LITERAL + r')\)', code):
        found.add(unquote(literal))
    for body in re.findall(r'^Message \w+\([^)]*\)[^{;]*\{(.*?)^\}', code, flags=re.M | re.S):
        for literal in re.findall(r'return (' + LITERAL + r');', body):
            found.add(unquote(literal))
    return found


# Texts looked up with tr() in a class; every other text is looked up in the "taskwell" context.
CLASS_TEXTS = set()


def texts_in(src):
    found = set()
    for path in sorted(src.glob('app/*.cpp')):
        code = path.read_text(encoding='utf-8')
        for literal in re.findall(r'translate\("taskwell",\s*(' + LITERAL + r')\)', code):
            found.add(unquote(literal))
        for literal in re.findall(r'MakeButton\(' + LITERAL + r',\s*(' + LITERAL + r')', code):
            found.add(unquote(literal))
        for literal in re.findall(r'\btr\((' + LITERAL + r')', code):
            # A class's own texts live in the class's context.
            CLASS_TEXTS.add(unquote(literal))
            found.add(unquote(literal))
        usage = re.search(r'UsageText\(\) \{\s*return ((?:\s*' + LITERAL + r')+);', code)
        if usage:
            found.add(''.join(unquote(x) for x in re.findall(LITERAL, usage.group(1))))
    for path in sorted(src.glob('*/*')):
        if path.suffix not in ('.cpp', '.h'):
            continue
        code = path.read_text(encoding='utf-8')
        found.update(run_time_texts(code))
        for pattern in CORE_PATTERNS:
            for groups in re.findall(pattern, code):
                for literal in groups if isinstance(groups, tuple) else (groups,):
                    if literal:
                        found.add(unquote(literal).strip())
        array = re.search(r'kCaptions = \{([^}]*)\}', code)
        if array:
            found.update(t for t in map(unquote, re.findall(LITERAL, array.group(1))) if t)
    return found


def problems_in(ts_file, wanted):
    translations = {}
    for context in ET.parse(ts_file).getroot().iter('context'):
        for message in context.iter('message'):
            source = message.findtext('source')
            if context.findtext('name') != 'taskwell' and source not in CLASS_TEXTS:
                continue
            translation = message.find('translation')
            finished = translation.get('type') not in ('unfinished', 'vanished', 'obsolete')
            translations[source] = (translation.text or '') if finished else ''
    problems = []
    for text in sorted(wanted):
        done = translations.get(text, '')
        if not done.strip():
            problems.append(f'{ts_file.name}: no finished translation of {text!r}')
        elif re.findall(r'%\d', text) != re.findall(r'%\d', done):
            problems.append(f'{ts_file.name}: placeholders differ in {done!r}')
        elif text.count('&') != done.count('&'):
            problems.append(f'{ts_file.name}: access key lost or added in {done!r}')
    return problems


def access_key_clashes(ts_file, src):
    # The buttons of the panel are reached by their access keys, so each letter is used once.
    code = (src / 'app/MainWindow.cpp').read_text(encoding='utf-8')
    captions = {unquote(x) for x in re.findall(r'MakeButton\(' + LITERAL + r',\s*(' + LITERAL + r')', code)}
    seen = {}
    for message in ET.parse(ts_file).getroot().iter('message'):
        if message.findtext('source') in captions:
            key = re.search(r'&(\w)', message.findtext('translation') or '')
            if key:
                seen.setdefault(key.group(1).lower(), []).append(message.findtext('translation'))
    return [f'{ts_file.name}: access key {k!r} used by {v}' for k, v in seen.items() if len(v) > 1]


def main():
    root = Path(sys.argv[1])
    wanted = texts_in(root / 'src')
    if len(wanted) < 20:
        print(f'only {len(wanted)} texts found: the extraction no longer matches the sources')
        return 1
    problems = []
    for language in ('de', 'fr'):
        ts_file = root / 'translations' / f'taskwell_{language}.ts'
        problems += problems_in(ts_file, wanted) + access_key_clashes(ts_file, root / 'src')
    print('\n'.join(problems) or f'{len(wanted)} texts translated in German and French')
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
