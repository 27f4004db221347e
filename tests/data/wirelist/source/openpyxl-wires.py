"""Writes openpyxl-wires.xlsx: a wire list as a second spreadsheet writer saves it."""
import datetime
import sys

from openpyxl import Workbook
from openpyxl.styles import Alignment

book = Workbook()
wires = book.active
wires.title = "Wires"
wires["A1"] = "線番"
wires["B1"] = "接続元"
wires.merge_cells("B1:C1")
wires["D1"] = "接続先"
wires.merge_cells("D1:E1")
wires["F1"] = "備考"
for column, text in zip("BCDE", ["機器", "端子", "機器", "端子"]):
    wires[column + "2"] = text
rows = [
    ("0012", "X1", 1, "K1", "A1", "赤\n白", datetime.date(2024, 1, 15), 2.5000000001, 1.5),
    ("0101", "X1", 2, "K1", "A2", "青", datetime.datetime(2024, 12, 31, 8, 30), 0.1 + 0.2, 12),
    ("1000", "X2", "PE", "盤-1", "PE", "緑/黄", datetime.date(1999, 2, 3), -4.25, 0),
]
for offset, row in enumerate(rows):
    r = 3 + offset
    for index, value in enumerate(row):
        cell = wires.cell(row=r, column=index + 1, value=value)
        if index == 0:
            cell.number_format = "@"  # keeps the leading zeros
        elif index == 5:
            cell.alignment = Alignment(wrap_text=True)
        elif index == 6:
            cell.number_format = "yyyy/m/d" if offset != 1 else "yyyy-mm-dd hh:mm"
        elif index == 8:
            cell.number_format = "0.00"
wires["J3"] = True
wires["J4"] = False

notes = book.create_sheet("メモ")
notes["A1"] = "第2シート"
notes["B3"] = 42
notes["C3"] = datetime.date(2000, 2, 29)
notes["C3"].number_format = "m/d/yyyy"

book.save(sys.argv[1])
