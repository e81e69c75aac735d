#!/usr/bin/env python3
"""Reads a research export back with readers that are not Morva's and prints what they found as
JSON: `read_export.py csv FILE` through Python's csv module, `read_export.py xlsx FILE` through
openpyxl (with the sheet's direction, frozen panes, print set-up and each cell's type: number,
text or formula)."""
import csv
import json
import sys


def read_csv(path):
    with open(path, "rb") as f:
        bom = f.read(3) == b"\xef\xbb\xbf"
    with open(path, newline="", encoding="utf-8-sig") as f:
        rows = list(csv.reader(f, strict=True))
    return {"bom": bom, "rows": rows}


def read_xlsx(path):
    import openpyxl

    book = openpyxl.load_workbook(path, read_only=False)
    sheet = book.worksheets[0]

    def cell(c):
        if c.value is None:
            return None
        if c.data_type == "f":
            return {"type": "formula", "value": c.value}
        return {"type": "number" if isinstance(c.value, (int, float)) else "text", "value": c.value}

    return {
        "sheets": len(book.worksheets),
        "rightToLeft": bool(sheet.sheet_view.rightToLeft),
        "frozen": sheet.freeze_panes,
        "boldHeader": all(c.font.b for c in sheet[1]),
        "orientation": sheet.page_setup.orientation,
        "fitToPage": bool(sheet.sheet_properties.pageSetUpPr and sheet.sheet_properties.pageSetUpPr.fitToPage),
        # A count the file leaves out is 1, the file format's default.
        "pagesWide": 1 if sheet.page_setup.fitToWidth is None else int(sheet.page_setup.fitToWidth),
        "pagesTall": 1 if sheet.page_setup.fitToHeight is None else int(sheet.page_setup.fitToHeight),
        "printTitleRows": sheet.print_title_rows,
        "rows": [[cell(c) for c in row] for row in sheet.iter_rows()],
    }


if __name__ == "__main__":
    kind, path = sys.argv[1], sys.argv[2]
    print(json.dumps(read_csv(path) if kind == "csv" else read_xlsx(path), ensure_ascii=False))
