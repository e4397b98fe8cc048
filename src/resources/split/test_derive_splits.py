"""Tests of the split derivation: its coding rules on known codes, its
choice among passing splits, and that the committed outputs are its own."""

import filecmp
import os
import re
import subprocess
import sys
import tempfile
import unittest

import derive_splits as ds

HERE = os.path.dirname(os.path.abspath(__file__))
DATA = os.path.join(HERE, "..", "data")
SPLIT = os.path.join(DATA, "split")


class DerivationTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        comps, merges = ds.load_components(os.path.join(SPLIT, "components.txt"))
        cls.roots = ds.load_roots(os.path.join(SPLIT, "roots.txt"))
        cls.d = ds.Deriver(cls.roots, comps, merges,
                           ds.load_ids(os.path.join(SPLIT, "cjkvi-ids.txt")),
                           ds.load_chaizi(os.path.join(SPLIT, "chaizi-jt.txt")),
                           ds.load_strokes(os.path.join(SPLIT, "stroke.dict.yaml")))
        cls.codes = ds.load_codes(os.path.join(DATA, "wubi86.txt"))

    def test_known_codes(self):
        cases = [
            # char, roots, letters after the keys (identification or rest)
            ("的", "白 勹 丶", "y"),  # left-right, last stroke a dot
            ("个", "人 丨", "j"),  # top-bottom, vertical
            ("在", "𠂇 丨 土", "d"),  # mixed, horizontal
            ("化", "亻 匕", "n"),  # 匕 ends in a turning stroke
            ("分", "八 刀", "b"),  # so does 刀, whatever its stroke order
            ("迫", "白 辶", "d"),  # 辶 gives no identification stroke
            ("图", "囗 夂 冫", "i"),  # the stroke form 冫 takes in 冬
            ("值", "亻 十 具头", "g"),  # one big root rather than 目 and 一
            ("我", "丿 扌 乙 丶 丿", ""),  # four roots and more: no identification
            ("照", "日 刀 口 灬", ""),
            ("王", "王", ""),  # key name
            ("十", "十", ""),  # root character: key and strokes
            ("戈", "戈", ""),  # its left-falling stroke counts as the last
            ("力", "力", ""),
            ("一", "一", ""),
        ]
        for char, roots, ident in cases:
            with self.subTest(char=char):
                r = self.d.derive(char, self.codes[char])
                self.assertIsNotNone(r)
                self.assertEqual(" ".join(r["roots"]), roots)
                self.assertEqual(r["id"], ident)

    def test_rules_reject(self):
        # Keys that give the code but strokes that are not the character's.
        self.assertIsNone(self.d.stroke_match(("亻", "十", "目", "丨", "一"), self.d.strokes["值"]))
        # A code that no split reproduces: 尤 (dnv) leaves its dot out.
        self.assertIsNone(self.d.derive("尤", self.codes["尤"]))
        # The identification letter depends on the shape.
        self.assertEqual(self.d.code(("人", "丨"), 2), "whj")
        self.assertEqual(self.d.code(("人", "丨"), 3), "whk")

    def test_drill_key_table_agrees(self):
        with open(os.path.join(HERE, "..", "..", "wubi", "WubiKeys.h"), encoding="utf-8") as f:
            header = f.read()
        rows = re.findall(r"\{'([a-y])', u'(.)', (?:u'(.)'|0), u\"([^\"]*)\"\}", header)
        self.assertEqual(len(rows), 25)
        # The drills show 礻 whole; as a root it lacks its last dot.
        drawn_as = {"礻": "礻头"}
        for key, _, name, further in rows:
            for root in name + further:
                root = drawn_as.get(root, root)
                with self.subTest(root=root):
                    self.assertTrue(root in self.roots)
                    self.assertEqual(self.roots[root].key, key)

    def test_committed_outputs_are_the_derivation(self):
        out = os.environ.get("SPLIT_OUT") or tempfile.mkdtemp()
        os.makedirs(out, exist_ok=True)
        subprocess.run([sys.executable, os.path.join(HERE, "derive_splits.py"), DATA, out],
                       check=True, stdout=subprocess.DEVNULL)
        for name in ("splits3500.tsv", "split1081.txt"):
            with self.subTest(name=name):
                self.assertTrue(filecmp.cmp(os.path.join(out, name), os.path.join(SPLIT, name), shallow=False))


if __name__ == "__main__":
    unittest.main()
