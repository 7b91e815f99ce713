#!/bin/sh
# Writes campos.xlsx and campos.ods from campos.csv (comma-separated, UTF-8) with
# LibreOffice, as an adviser's spreadsheet would hold the same fields.
set -e
cd "$(dirname "$0")"
for format in xlsx ods; do
  soffice --headless --infilter="CSV:44,34,76,1" --convert-to "$format" campos.csv >/dev/null
done
