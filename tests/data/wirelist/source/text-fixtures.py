"""Writes the text fixtures: wire lists as text exports in the encodings shops send."""
import os
import sys

out = sys.argv[1]


def write(name, text, encoding):
    with open(os.path.join(out, name), "wb") as f:
        f.write(text.encode(encoding))


# Code page 932, commas, a quoted cell with a line break and with a comma, half-width katakana.
write("shiftjis.csv",
      "線番,接続元,端子,接続先,端子,色,ｹｰﾌﾞﾙ\r\n"
      "0012,X1,1,K1,A1,\"赤\r\n白\",ｹｰﾌﾞﾙ1\r\n"
      "0013,X1,2,\"K1,K2\",A2,青,\r\n"
      "\r\n"
      "合計,2,,,,,\r\n", "cp932")

# Code page 1252 from a German Excel: semicolons, decimal commas, umlauts, degree and squared signs.
write("german-1252.csv",
      "Verbindungsbezeichnung;Betriebsmittel (Quelle);Anschluss (Quelle);Betriebsmittel (Ziel);"
      "Anschluss (Ziel);Querschnitt mm²;Farbe\r\n"
      "W001;-X1;1;-K1;A1;1,5;grün/gelb\r\n"
      "W002;-X1;2;-Q1;13;0,75;weiß\r\n"
      "W003;-M1;U;\"-X2;PE\";2;2,5;für 90°C\r\n", "cp1252")

# UTF-16LE with its byte order mark, tab separated: the "Unicode text" export.
write("utf16le-bom.txt",
      "\ufeff線番\t接続元\t接続先\r\n"
      "101\tX1:1\tK1:A1\r\n"
      "102\tX1:2\t\"K2:A1\"\r\n", "utf-16-le")

# A first line naming the separator, then UTF-8 text with doubled quotes and a kept leading zero.
write("sep-line.csv",
      "sep=;\r\n"
      "Wire;From;To;Note\r\n"
      "=\"0012\";X1:1;K1:A1;\"Kabel \"\"rot\"\"; 2 Adern\"\r\n"
      "0013;X1:2;K1:A2;\r\n", "utf-8")
