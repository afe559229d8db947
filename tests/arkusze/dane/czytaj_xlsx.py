# SPDX-License-Identifier: GPL-3.0-or-later
# Reads workbooks with openpyxl and prints what a test compares, as one JSON object:
# {file: {sheet: {"zamrozenie", "filtr", "szerokosci", "komorki"}}}, each cell as
# {"t": type, "v": value, "f": number format}; times and durations as seconds, dates as ISO text.
import datetime
import json
import sys

import openpyxl


def wartosc(v):
    if isinstance(v, datetime.datetime):
        if v.hour or v.minute or v.second:
            return v.isoformat()
        return v.date().isoformat()
    if isinstance(v, datetime.date):
        return v.isoformat()
    if isinstance(v, datetime.time):
        return v.hour * 3600 + v.minute * 60 + v.second + round(v.microsecond / 1e6)
    if isinstance(v, datetime.timedelta):
        return round(v.total_seconds())
    return v


wynik = {}
for plik in sys.argv[1:]:
    skoroszyt = openpyxl.load_workbook(plik)
    arkusze = {}
    for ws in skoroszyt.worksheets:
        komorki = []
        for wiersz in ws.iter_rows():
            komorki.append([{"t": k.data_type, "v": wartosc(k.value), "f": k.number_format}
                            for k in wiersz])
        szerokosci = {k: d.width for k, d in ws.column_dimensions.items()}
        arkusze[ws.title] = {"zamrozenie": ws.freeze_panes, "filtr": ws.auto_filter.ref,
                             "szerokosci": szerokosci, "komorki": komorki}
    wynik[plik] = {"arkusze": arkusze, "kolejnosc": skoroszyt.sheetnames}
json.dump(wynik, sys.stdout, ensure_ascii=False)
