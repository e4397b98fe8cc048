#!/usr/bin/env python3
"""Derives the Wubi 86 root splits (字根拆分) of the common characters.

Every character of the common-character table is decomposed recursively,
through the IDS and chaizi decompositions and our own component list, into
the roots of the Wubi 86 root list. A split is kept only when

  * its roots use every stroke of the character exactly once (the stroke
    sequences of the roots, taken together, are the character's strokes), and
  * its root keys give the character's full Wubi 86 code by the coding rules:
    the first, second, third and last root of four or more roots; the keys of
    two or three roots followed by the identification letter, made of the
    last stroke and the character's shape; key names and the other root
    characters by their own rules.

Where several splits pass, the one with the fewest roots (as big a root as
possible) wins, then the one whose strokes come in writing order, then the
one from the more trusted source (our list, then IDS, then chaizi).

Usage: derive_splits.py [DATA_DIR [OUT_DIR]]
DATA_DIR is src/resources/data, OUT_DIR defaults to DATA_DIR/split. Only the
standard library is used; the outputs are byte for byte reproducible.
"""

import itertools
import os
import re
import sys

PICTURES = 1081  # characters with a split picture
CHECKED = 300  # most frequent of them, checked by hand

# Stroke letters: g horizontal, h vertical, t left-falling, y dot, n turning.
STROKE_ZONE = {"g": 1, "h": 2, "t": 3, "y": 4, "n": 5}
# The identification letter for (zone of the last stroke, shape):
# shape 1 left-right, 2 top-bottom, 3 whole or mixed.
ZONE_KEYS = {1: "gfd", 2: "hjk", 3: "tre", 4: "yui", 5: "nbv"}
# Parts that are one stroke, under the names the sources give them.
SINGLE_STROKE_PARTS = set("一丨丿丶乙乀亅㇀㇏乚乛𠃌𠃍㇆㇇𠃊𠃋㇉㇈㇊㇋㇌㇅㇂㇄ㄣ")
# Roots ending in a hook whose last stroke counts as a turning one.
TURN_LAST = set("力刀九匕")
# 辶 and 廴 enclosing a character are written last and give no
# identification stroke: the part they enclose does.
WALKS = set("辶廴")
SOURCE_RANK = {"list": 0, "ids": 1, "chaizi": 2}
IDS_ARITY = {"⿰": 2, "⿱": 2, "⿲": 3, "⿳": 3, "⿴": 2, "⿵": 2,
             "⿶": 2, "⿷": 2, "⿸": 2, "⿹": 2, "⿺": 2, "⿻": 2}
UNKNOWN = "□"  # the chaizi stand-in for a part Unicode lacks
OPTION_CAP = 80  # root sequences kept per component
PRODUCT_CAP = 4000  # combinations tried per decomposition


def lines(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                yield line


class Root:
    def __init__(self, glyph, key, strokes, note):
        self.glyph, self.key, self.note = glyph, key, note
        # The first form codes the root; the others are the shapes it takes
        # inside characters (月 written with a vertical first stroke in 青).
        self.forms = strokes.split("|")
        self.strokes = self.forms[0]

    def id_stroke(self):
        return "n" if self.glyph in TURN_LAST else self.strokes[-1]


def load_roots(path):
    roots = {}
    for line in lines(path):
        f = line.split("\t")
        glyph, key, strokes = f[0], f[1], f[2]
        if glyph in roots:
            raise ValueError(f"{path}: root {glyph} listed twice")
        if not re.fullmatch(r"[a-y]", key) or not re.fullmatch(r"[ghtyn]+(\|[ghtyn]+)*", strokes):
            raise ValueError(f"{path}: bad row {line!r}")
        roots[glyph] = Root(glyph, key, strokes, f[3] if len(f) > 3 else "")
    return roots


def load_components(path):
    """Our own decompositions: component -> (shape or None, alternatives)."""
    comps, merges = {}, []
    for line in lines(path):
        f = line.split("\t")
        if f[0] == "=":
            merges.append((tuple(f[1].split()), f[2]))
            continue
        shape = None if f[1] == "-" else int(f[1])
        alts = [tuple(a.split()) for a in f[2].split("|")]
        comps[f[0]] = (shape, alts)
    return comps, merges


def load_ids(path):
    ids = {}
    for line in lines(path):
        f = line.split("\t")
        if len(f) < 3:
            continue
        exprs = [re.sub(r"\[[A-Z]+\]", "", e) for e in f[2:]]
        ids[f[1]] = [e for e in exprs if e != f[1] and len(e) > 1]
    return ids


def load_chaizi(path):
    cz = {}
    for line in lines(path):
        f = line.split("\t")
        if f[0] == UNKNOWN:
            continue
        for alt in f[1:]:
            if UNKNOWN in alt:
                continue
            parts = tuple(alt.split(" "))
            if parts != (f[0],) and parts not in cz.setdefault(f[0], []):
                cz[f[0]].append(parts)
    return cz


def load_strokes(path):
    """Stroke sequences; the mainland-glyph entries at the end win."""
    letters = {"h": "g", "s": "h", "p": "t", "n": "y", "z": "n"}
    strokes, mainland = {}, False
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#The following entries"):
                mainland = True
            p = line.rstrip("\n").split("\t")
            if len(p) == 2 and len(p[0]) == 1 and p[1] and set(p[1]) <= set(letters):
                if mainland or p[0] not in strokes:
                    strokes[p[0]] = "".join(letters[c] for c in p[1])
    return strokes


def load_codes(path):
    return {f[0]: f[1] for f in (l.split("\t") for l in lines(path))}


def load_weights(path):
    """Use frequency of single characters from the Wubi input table."""
    weights = {}
    for line in lines(path):
        f = line.split("\t")
        if len(f) >= 3 and len(f[0]) == 1 and f[2].isdigit():
            weights[f[0]] = max(weights.get(f[0], 0), int(f[2]))
    return weights


def parse_ids(expr, i=0):
    op = expr[i]
    if op in IDS_ARITY:
        kids, j = [], i + 1
        for _ in range(IDS_ARITY[op]):
            kid, j = parse_ids(expr, j)
            kids.append(kid)
        return (op, kids), j
    return op, i + 1


def writing_order(op, kids):
    """Parts in the order Wubi takes them: 辶 and 廴 last, and the inside of
    a frame open at the top (凵) before the frame."""
    if op == "⿺" and isinstance(kids[0], str) and kids[0] in WALKS:
        return [kids[1], kids[0]]
    if op == "⿶":
        return [kids[1], kids[0]]
    return kids


class Deriver:
    def __init__(self, roots, comps, merges, ids, chaizi, strokes):
        self.roots, self.comps, self.merges = roots, comps, merges
        self.ids, self.chaizi, self.strokes = ids, chaizi, strokes
        self.memo = {}

    # -- coding rules --------------------------------------------------------

    def root_code(self, glyph):
        """Code of a root written as a character on its own."""
        r = self.roots[glyph]
        if len(r.strokes) == 1:
            return r.key * 2 + "ll"
        if len(r.strokes) == 2:
            return r.key + r.strokes
        return r.key + r.strokes[0] + r.strokes[1] + r.strokes[-1]

    def code(self, seq, shape, forms=None, walk=False):
        """Full code of a split of two or more roots with the given shape;
        `forms` are the stroke forms the roots take in the character; `walk`
        tells that a last 辶 or 廴 encloses the whole character."""
        keys = "".join(self.roots[g].key for g in seq)
        if len(seq) >= 4:
            return keys[:3] + keys[-1]
        i = len(seq) - 2 if walk and seq[-1] in WALKS else len(seq) - 1
        root = self.roots[seq[i]]
        stroke = root.id_stroke() if forms is None or root.glyph in TURN_LAST else forms[i][-1]
        return keys + ZONE_KEYS[STROKE_ZONE[stroke]][shape - 1]

    # -- decomposition -------------------------------------------------------

    def options(self, part, depth=0):
        """Root sequences a component can be split into, fewest roots first."""
        if isinstance(part, tuple):
            op, kids = part
            return self.combine([self.options(k, depth + 1) for k in writing_order(op, kids)])
        if part in self.memo:
            return self.memo[part]
        self.memo[part] = []  # cuts cycles
        if depth > 16:
            return []
        found = []
        if part in self.roots:
            found.append((part,))
        if part in self.comps:
            for alt in self.comps[part][1]:
                found += self.combine([self.options(k, depth + 1) for k in alt])
        for expr in self.ids.get(part, []):
            try:
                tree, _ = parse_ids(expr)
            except IndexError:
                continue
            found += self.options(tree, depth + 1)
        for alt in self.chaizi.get(part, []):
            found += self.combine([self.options(k, depth + 1) for k in alt])
        self.memo[part] = self.with_merges(found)[:OPTION_CAP]
        return self.memo[part]

    def combine(self, lists):
        if not lists or any(not l for l in lists):
            return []
        return [tuple(itertools.chain(*p)) for p in itertools.islice(itertools.product(*lists), PRODUCT_CAP)]

    def with_merges(self, seqs):
        """Adds the variants in which neighbouring roots form a bigger root."""
        out, seen = [], set()
        todo = list(seqs)
        while todo:
            seq = todo.pop(0)
            if seq in seen:
                continue
            seen.add(seq)
            out.append(seq)
            for parts, big in self.merges:
                n = len(parts)
                for i in range(len(seq) - n + 1):
                    if seq[i:i + n] == parts:
                        todo.append(seq[:i] + (big,) + seq[i + n:])
        out.sort(key=len)
        return out

    def tops(self, char):
        """Top-level decompositions: (source, shapes, whether 辶 or 廴
        encloses the rest, root sequences)."""
        if char in self.comps and self.comps[char][0]:
            shape, alts = self.comps[char]
            for alt in alts:
                seqs = self.with_merges(self.combine([self.options(k) for k in alt]))
                yield "list", [shape], alt[-1] in WALKS, seqs
        ids_shapes = []
        for expr in self.ids.get(char, []):
            try:
                tree, _ = parse_ids(expr)
            except IndexError:
                continue
            if not isinstance(tree, tuple):
                continue
            op, kids = tree
            shapes = self.shapes(op, kids)
            ids_shapes.append(shapes)
            walk = op == "⿺" and isinstance(kids[0], str) and kids[0] in WALKS
            yield "ids", shapes, walk, self.with_merges(self.options(tree))
        for alt in self.chaizi.get(char, []):
            walk = [k for k in alt if k in WALKS]
            parts = [k for k in alt if k not in WALKS] + walk
            # A character IDS leaves whole is a single-body one: mixed shape.
            shapes = [3] if walk or not ids_shapes else ids_shapes[0]
            yield "chaizi", shapes, bool(walk), self.with_merges(self.combine([self.options(k) for k in parts]))

    @staticmethod
    def shapes(op, kids):
        """Shapes a top-level structure may have, the likelier first."""
        base = {"⿰": 1, "⿲": 1, "⿱": 2, "⿳": 2}.get(op, 3)
        shapes = [base]
        # A single stroke or a dot beside a root may touch it: then the
        # character counts as mixed (千 自 主).
        if base != 3 and any(isinstance(k, str) and k in SINGLE_STROKE_PARTS for k in kids):
            shapes.append(3)
        # A frame open at the bottom right may read as top-bottom (左 右 者).
        if op == "⿸":
            shapes.append(2)
        return shapes

    def stroke_match(self, seq, strokes):
        """The stroke forms of the roots when together they are exactly the
        character's strokes, preferably in its writing order; else None."""
        match = None
        for forms in itertools.product(*(self.roots[g].forms for g in seq)):
            joined = "".join(forms)
            if joined == strokes:
                return forms
            if match is None and sorted(joined) == sorted(strokes):
                match = forms
        return match

    def derive(self, char, code):
        """The chosen split of a character and every passing one."""
        if char in self.roots:
            r = self.roots[char]
            if code == r.key * 4:
                return {"kind": "keyname", "roots": (char,), "id": "", "shape": 0, "source": "root", "passing": 1}
            if code == self.root_code(char):
                return {"kind": "root", "roots": (char,), "id": "", "shape": 0, "source": "root", "passing": 1}
        strokes = self.strokes.get(char)
        if not strokes:
            return None
        passing = {}
        for source, shapes, walk, seqs in self.tops(char):
            for seq in seqs:
                if len(seq) < 2 or seq in passing:
                    continue
                forms = self.stroke_match(seq, strokes)
                if forms is None:
                    continue
                for rank, shape in enumerate(shapes):
                    if self.code(seq, shape, forms, walk) == code:
                        in_order = "".join(forms) == strokes
                        # Ties go to the split met first: the source's own parts
                        # come before merged and renamed ones.
                        passing[seq] = (len(seq), not in_order, SOURCE_RANK[source], rank, len(passing),
                                        source, shape)
                        break
        if not passing:
            return None
        seq, best = min(passing.items(), key=lambda kv: kv[1][:5])
        ident = code[-1] if len(seq) < 4 else ""
        return {"kind": "split", "roots": seq, "id": ident, "shape": best[6], "source": best[5],
                "passing": len(passing)}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    data = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "data")
    out = sys.argv[2] if len(sys.argv) > 2 else os.path.join(data, "split")
    split_dir = os.path.join(data, "split")
    roots = load_roots(os.path.join(split_dir, "roots.txt"))
    comps, merges = load_components(os.path.join(split_dir, "components.txt"))
    d = Deriver(roots, comps, merges,
                load_ids(os.path.join(split_dir, "cjkvi-ids.txt")),
                load_chaizi(os.path.join(split_dir, "chaizi-jt.txt")),
                load_strokes(os.path.join(split_dir, "stroke.dict.yaml")))
    for g in list(comps) + [g for parts, big in merges for g in parts + (big,)]:
        for alt in comps.get(g, (None, []))[1]:
            for part in alt:
                if part not in roots and part not in comps and not d.options(part):
                    raise ValueError(f"components.txt: {g}: {part} cannot be split")
    codes = load_codes(os.path.join(data, "wubi86.txt"))
    weights = load_weights(os.path.join(data, "rime_wubi86.dict.yaml"))
    common = list(lines(os.path.join(data, "common3500.txt")))
    order = sorted(range(len(common)), key=lambda i: (-weights.get(common[i], 0), i))
    chars = [common[i] for i in order]

    results = {}
    for c in chars:
        results[c] = d.derive(c, codes[c])

    write_all(os.path.join(out, "splits3500.tsv"), chars, codes, results, roots)
    chosen = [c for c in chars if results[c]][:PICTURES]
    if len(chosen) < PICTURES:
        raise SystemExit(f"only {len(chosen)} characters have a verified split")
    write_table(os.path.join(out, "split1081.txt"), chosen, codes, results, roots)
    write_check(os.path.join(out, "check-300.tsv"), chosen[:CHECKED], codes, results, roots)
    done = sum(1 for c in chars if results[c])
    print(f"{done} of {len(chars)} characters have a verified split; "
          f"the table holds the {PICTURES} most frequent, the last at rank {chars.index(chosen[-1]) + 1}")


def row_fields(c, code, r, roots):
    """char, roots, keys, the letters after the keys, full code. The letters
    after the keys are the identification letter of two or three roots, or
    the rest of a root character's own code; "-" after four roots."""
    keys = "".join(roots[g].key for g in r["roots"])
    if len(keys) == 1:
        rest = code[1:]
    else:
        rest = r["id"] or "-"
    return [c, " ".join(r["roots"]), keys, rest, code]


def write_all(path, chars, codes, results, roots):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("# Wubi 86 splits of the 3500 common characters, most frequent first, made by\n"
                "# src/resources/split/derive_splits.py (do not edit; edit its inputs).\n"
                "# char\tcode\tkind\troots\tkeys\tidentification\tshape\tsource\tpassing splits\n")
        for c in chars:
            r = results[c]
            if not r:
                f.write(f"{c}\t{codes[c]}\tnone\t\t\t\t\t\t0\n")
                continue
            keys = "".join(roots[g].key for g in r["roots"])
            f.write(f"{c}\t{codes[c]}\t{r['kind']}\t{' '.join(r['roots'])}\t{keys}\t{r['id'] or '-'}\t"
                    f"{r['shape'] or '-'}\t{r['source']}\t{r['passing']}\n")


def write_table(path, chosen, codes, results, roots):
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("# The split pictures: the 1081 most frequent common characters with a verified\n"
                "# Wubi 86 split, in picture order. Made by src/resources/split/derive_splits.py.\n"
                "# char\troots in writing order\tkey of each root\tletters after the keys\tfull code\n"
                "# The letters after the keys are the identification letter of a split into two or\n"
                "# three roots, or the rest of the code of a root character (its strokes, or its key\n"
                "# repeated for a key name); - for four roots or more.\n")
        for c in chosen:
            f.write("\t".join(row_fields(c, codes[c], results[c], roots)) + "\n")


CHECK_HEADER = ("# Hand check of the most frequent split pictures. Write y in \"checked\" when\n"
                "# the split follows the rules; otherwise write n and the right roots in\n"
                "# \"correction\" (then put them into components.txt and run the derivation).\n")


def write_check(path, chosen, codes, results, roots):
    """Writes the hand-check list. The checkers' own notes at the top are
    kept, and so is each mark whose split is unchanged or whose correction
    the split now follows."""
    notes = []
    marks = {}
    corrected = {}
    if os.path.exists(path):
        with open(path, encoding="utf-8") as old:
            for line in old:
                line = line.rstrip("\n")
                if line.startswith("#"):
                    if line + "\n" not in CHECK_HEADER:
                        notes.append(line + "\n")
                    continue
                f = line.split("\t")
                if len(f) >= 7 and f[0] != "char":
                    marks[(f[0], f[1])] = f[5:7]
                    if f[6]:
                        corrected[(f[0], f[6])] = f[5:7]
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write("".join(notes) + CHECK_HEADER + "char\troots\tkeys\tafter keys\tcode\tchecked\tcorrection\n")
        for c in chosen:
            row = row_fields(c, codes[c], results[c], roots)
            key = (row[0], row[1])
            f.write("\t".join(row + marks.get(key, corrected.get(key, ["", ""]))) + "\n")

if __name__ == "__main__":
    main()
