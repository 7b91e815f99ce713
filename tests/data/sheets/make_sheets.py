#!/usr/bin/python3
"""Makes the trial sheets the reader tests read, once, with LibreOffice set to Spanish
(Argentina), the way an adviser's spreadsheet saves them; the files are committed and CI
never runs this. Needs libreoffice-calc-nogui (and python3-openpyxl for --check).

    tests/data/sheets/make_sheets.py            the variants and the refused sheets
    tests/data/sheets/make_sheets.py --check D  reads the CSV and .xlsx files the program
                                                wrote into D (tst_sheetwriters with
                                                VELMARO_WRITTEN=D) with openpyxl and
                                                LibreOffice, and says what they hold

Every variant holds the same trial: AGAA Medio at five rates, two plots each, and BGAA
20 % at four rates, some yields with decimals, codes and levels as an adviser types them.
"""
import io
import os
import shutil
import subprocess
import sys
import tempfile
import zipfile

HERE = os.path.dirname(os.path.abspath(__file__))
SPANISH_AR = "11274"  # the language identifier of es-AR in LibreOffice's filter options

# code, level, available N, yield; a yield given as a formula is computed by the sheet.
TRIAL = [
    ("AGAA", "Medio", "0", "1890"), ("AGAA", "Medio", "0", "2040"),
    ("agaa", "medio", "40", "2710.5"), ("AGAA", "Medio", "40", "=2800+77"),
    ("AGAA", "Medio", "80", "3290"), ("AGAA", "Medio", "80", "3430.4"),
    ("AGAA", "Medio", "120", "3581"), ("AGAA", "Medio", "120", "3747.4"),
    ("AGAA", "Medio", "160", "3650"), ("AGAA", "Medio", "160", "3761.6"),
    ("BGAA", "20 %", "20.5", "1702.5"), ("bgaa", "20", "60", "2300"),
    ("BGAA", "20", "100", "=2500+74.5"), ("BGAA", "20", "140", "2688"),
]
HEADER = ("Código", "Nivel", "N disponible (kg/ha)", "Rendimiento (kg/ha)")


def cell(text):
    if text.startswith("="):  # computed as the sheet loads
        return '<table:table-cell table:formula="of:%s"/>' % text
    try:
        float(text)
        return ('<table:table-cell office:value-type="float" office:value="%s"><text:p>%s</text:p>'
                '</table:table-cell>' % (text, text))
    except ValueError:
        return '<table:table-cell office:value-type="string"><text:p>%s</text:p></table:table-cell>' % text


def fods(rows, extra_cells=""):
    body = "".join("<table:table-row>%s</table:table-row>" % "".join(cell(c) for c in row) for row in rows)
    return """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:of="urn:oasis:names:tc:opendocument:xmlns:of:1.2"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles><number:date-style style:name="fecha"><number:day number:style="long"/><number:text>/</number:text>
<number:month number:style="long"/><number:text>/</number:text><number:year/></number:date-style>
<style:style style:name="celdafecha" style:family="table-cell" style:data-style-name="fecha"/></office:automatic-styles>
<office:body><office:spreadsheet><table:table table:name="Ensayo">%s%s</table:table>
</office:spreadsheet></office:body></office:document>
""" % (body, extra_cells)


def profile(folder):
    """A LibreOffice user profile whose locale is Spanish (Argentina)."""
    user = os.path.join(folder, "user")
    os.makedirs(user)
    with open(os.path.join(user, "registrymodifications.xcu"), "w") as f:
        f.write("""<?xml version="1.0" encoding="UTF-8"?>
<oor:items xmlns:oor="http://openoffice.org/2001/registry" xmlns:xs="http://www.w3.org/2001/XMLSchema"
 xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooSetupSystemLocale" oor:op="fuse"><value>es-AR</value></prop></item>
<item oor:path="/org.openoffice.Setup/L10N"><prop oor:name="ooLocale" oor:op="fuse"><value>es</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="ODFRecalcMode" oor:op="fuse"><value>0</value></prop></item>
<item oor:path="/org.openoffice.Office.Calc/Formula/Load"><prop oor:name="OOXMLRecalcMode" oor:op="fuse"><value>0</value></prop></item>
</oor:items>
""")
    return "file://" + folder


def convert(work, source, target_format, out_name, infilter=None):
    outdir = os.path.join(work, "out")
    shutil.rmtree(outdir, ignore_errors=True)
    command = ["soffice", "-env:UserInstallation=" + profile_url, "--headless", "--convert-to", target_format,
               "--outdir", outdir, source]
    if infilter:
        command[3:3] = ["--infilter=" + infilter]
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    produced = os.listdir(outdir)
    shutil.move(os.path.join(outdir, produced[0]), os.path.join(HERE, out_name))
    return os.path.join(HERE, out_name)


def csv_filter(separator, charset, quote_all=False, as_shown=True, language=SPANISH_AR):
    return 'csv:Text - txt - csv (StarCalc):%d,34,%s,1,,%s,%s,true,%s' % (
        separator, charset, language, str(quote_all).lower(), str(as_shown).lower())


def make():
    work = tempfile.mkdtemp()
    global profile_url
    profile_url = profile(os.path.join(work, "profile"))
    source = os.path.join(work, "ensayo.fods")
    with open(source, "w") as f:
        f.write(fods([HEADER] + TRIAL))

    # What the spreadsheet saves, as an adviser in Argentina would choose it.
    convert(work, source, "xlsx:Calc MS Excel 2007 XML", "ensayo.xlsx")
    convert(work, source, "ods", "ensayo.ods")
    convert(work, source, csv_filter(59, "76"), "ensayo_es_utf8.csv")
    convert(work, source, csv_filter(59, "1"), "ensayo_es_1252.csv")
    convert(work, source, csv_filter(59, "76", quote_all=True), "ensayo_es_comillas.csv")
    convert(work, source, csv_filter(9, "65535"), "ensayo_unicode.txt")
    # The reference every variant is read against: comma-separated with decimal points,
    # written here, the formulas' values worked out.
    with open(os.path.join(HERE, "ensayo_internacional.csv"), "w", encoding="utf-8", newline="") as f:
        f.write("codigo,nivel,n_disponible,rendimiento\n")
        for code, level, n, y in TRIAL:
            if y.startswith("="):
                a, b = y[1:].split("+")
                y = "%g" % (float(a) + float(b))
            f.write("%s,%s,%s,%s\n" % (code.upper(), level.replace(" %", ""), n, y))
    # The same trial from the workbook rather than the sheet it was made from.
    xlsx = os.path.join(work, "ensayo.xlsx")
    shutil.copy(os.path.join(HERE, "ensayo.xlsx"), xlsx)
    convert(work, xlsx, csv_filter(59, "76"), "ensayo_desde_xlsx.csv")

    # Variants LibreOffice does not write: a byte-order mark, CR line ends, blank lines
    # above the header and empty columns after it.
    with open(os.path.join(HERE, "ensayo_es_utf8.csv"), "rb") as f:
        utf8 = f.read()
    with open(os.path.join(HERE, "ensayo_es_bom.csv"), "wb") as f:
        f.write(b"\xef\xbb\xbf" + utf8)
    with open(os.path.join(HERE, "ensayo_es_1252.csv"), "rb") as f:
        cp1252 = f.read()
    with open(os.path.join(HERE, "ensayo_mac.csv"), "wb") as f:
        f.write(cp1252.replace(b"\r\n", b"\r").replace(b"\n", b"\r"))
    lines = utf8.decode("utf-8").splitlines()
    with open(os.path.join(HERE, "ensayo_blancos.csv"), "wb") as f:
        f.write(("\r\n;;\r\n" + "\r\n".join(line + ";;" for line in lines) + "\r\n").encode("utf-8"))

    # Sheets refused whole: a formula error, a date, merged cells, a cut archive, a bomb.
    bad = [HEADER, ("AGAA", "Medio", "40", "2000"), ("AGAA", "Medio", "80", "=1/0")]
    with open(source, "w") as f:
        f.write(fods(bad))
    convert(work, source, "xlsx:Calc MS Excel 2007 XML", "error_formula.xlsx")
    convert(work, source, "ods", "error_formula.ods")
    dated = fods([HEADER, ("AGAA", "Medio", "40", "2000")],
                 '<table:table-row><table:table-cell><text:p>AGAA</text:p></table:table-cell>'
                 '<table:table-cell><text:p>Medio</text:p></table:table-cell>'
                 '<table:table-cell table:style-name="celdafecha" office:value-type="date" '
                 'office:date-value="2024-05-01"><text:p>01/05/24</text:p>'
                 '</table:table-cell><table:table-cell office:value-type="float" office:value="2500"><text:p>2500'
                 '</text:p></table:table-cell></table:table-row>')
    with open(source, "w") as f:
        f.write(dated)
    convert(work, source, "xlsx:Calc MS Excel 2007 XML", "fecha.xlsx")
    convert(work, source, "ods", "fecha.ods")
    merged = fods([HEADER],
                  '<table:table-row><table:table-cell table:number-columns-spanned="2" '
                  'office:value-type="string"><text:p>AGAA Medio</text:p></table:table-cell>'
                  '<table:covered-table-cell/><table:table-cell office:value-type="float" office:value="40">'
                  '<text:p>40</text:p></table:table-cell><table:table-cell office:value-type="float" '
                  'office:value="2000"><text:p>2000</text:p></table:table-cell></table:table-row>')
    with open(source, "w") as f:
        f.write(merged)
    convert(work, source, "ods", "combinadas.ods")
    convert(work, source, "xlsx:Calc MS Excel 2007 XML", "combinadas.xlsx")

    with open(os.path.join(HERE, "ensayo.xlsx"), "rb") as f:
        whole = f.read()
    with open(os.path.join(HERE, "cortado.xlsx"), "wb") as f:
        f.write(whole[: len(whole) * 2 // 3])
    # A workbook whose sheet inflates to 48 MB of blanks from a few tens of kilobytes.
    with zipfile.ZipFile(io.BytesIO(whole)) as original, \
            zipfile.ZipFile(os.path.join(HERE, "bomba.xlsx"), "w", zipfile.ZIP_DEFLATED, compresslevel=9) as bomb:
        for item in original.infolist():
            data = original.read(item.filename)
            if item.filename == "xl/worksheets/sheet1.xml":
                data = data.replace(b"<sheetData>", b"<sheetData>" + b" " * (48 * 1024 * 1024), 1)
            bomb.writestr(item.filename, data)
    shutil.rmtree(work)


def check(folder):
    """What the files the program wrote hold, as other programs read them: each .xlsx with
    openpyxl, each CSV opened by LibreOffice (in Spanish (Argentina) when separated by
    semicolons, in English otherwise) and saved as .xlsx."""
    import openpyxl
    global profile_url
    work = tempfile.mkdtemp()
    profile_url = profile(os.path.join(work, "profile"))
    for name in sorted(os.listdir(folder)):
        path = os.path.join(folder, name)
        if name.endswith(".csv"):
            with open(path, "rb") as f:
                separator = "59" if b";" in f.readline() else "44"
            path = convert(work, path, "xlsx:Calc MS Excel 2007 XML", "_leido.xlsx",
                           infilter="CSV:%s,34,76,1,,%s" % (separator, SPANISH_AR if separator == "59" else "1033"))
        elif not name.endswith(".xlsx"):
            continue
        sheet = openpyxl.load_workbook(path).worksheets[0]
        cells = [c for row in sheet.iter_rows() for c in row if c.value is not None]
        numbers = [c.value for c in cells if isinstance(c.value, (int, float))]
        bold = [c.value for c in cells if c.font and c.font.b]
        print("%s: %d rows, %d cells, %d numbers (%s...), bold: %s" % (
            name, sheet.max_row, len(cells), len(numbers), numbers[:4], bold[:5]))
        if path.endswith("_leido.xlsx"):
            os.remove(path)
    shutil.rmtree(work)


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--check":
        check(sys.argv[2])
    else:
        make()
