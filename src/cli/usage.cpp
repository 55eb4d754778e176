#include "cli/usage.h"

namespace spritlog::cli {

std::string HelpText() {
    return R"(Aufruf: spritlog-cli BEFEHL DATEI [OPTIONEN]
        spritlog-cli --help | --version

Spritlog ohne Fenster: lädt das Tankbuch DATEI (.slg) genau wie das Programm und gibt
aus, was das Fenster zeigt, schreibt Export und Ausdruck oder importiert Datensätze.
Die Ausgabe ist UTF-8, eine Zeile je Tabellenzeile, die Zellen durch einen Tabulator
getrennt.

Befehle:
  table DATEI                  die Datentabelle: Kopfzeile und alle Datensätze, 15 Spalten
  source DATEI [--monat]       die Grafikquelle je Eintrag (oder je Monat), 15 Spalten
  stats DATEI [--window]       die zwölf Werte der Statistik: Beschriftung und Wert; bei
                               mehreren Energien danach je Energie Menge, Verbrauch und
                               Kosten und "Verbrauch kombiniert:"
  stations DATEI               die Tankstellenbewertung mit der Zeile "Durchschnitt"
  chart ANSICHT DATEI [--monat] [--zoom 100|bereich] [--energie E]
                               eine Grafikansicht: Name, Anzahl N der Punkte, N Zeilen
                               "Wert<TAB>Durchschnitt", dann "axis<TAB>Min<TAB>Max"
  export DATEI csv|htm|slg|xlsx [--to ZIEL]
                               speichert als CSV-Datei, HTML-Bericht, Tankbuch oder
                               Arbeitsmappe unter ZIEL oder unter DATEI mit der Endung
                               des Formats
  export DATEI spritmonitor [--to ZIEL.csv]
                               speichert im CSV-Aufbau von Spritmonitor, ohne --to
                               unter DATEI mit "-spritmonitor.csv" statt der Endung
  chart ANSICHT DATEI [--monat] [--zoom 100|bereich] --png BILD | --svg BILD
        [--size BxH]           die Grafikansicht als Bild, wie das Fenster sie zeichnet
  print DATEI --pdf ZIEL.pdf   der Ausdruck als PDF-Datei (A4)
  report DATEI --pdf ZIEL.pdf  der lesbare Bericht der Druckvorschau als PDF-Datei (A4
                               quer): alle Spalten, Statistik, Tankstellen, Grafik
  years DATEI [--monate JAHR]
                               die Jahresübersicht: je Kalenderjahr (aufsteigend) KM,
                               Liter, Tankkosten, Verbrauch und EUR je 100 KM; mit
                               --monate die Monate 01 bis 12 des Jahres JAHR
  energies DATEI               je Energie (Liter, kg, kWh, dann AdBlue) Menge, Kosten,
                               Verbrauch und Kosten je KM, dann die Zeile "Gesamt"
  import DATEI QUELLE.csv      hängt die Datensätze aus QUELLE an das Tankbuch an und
                               speichert DATEI (fehlt sie, wird sie angelegt); ist eine
                               Zeile fehlerhaft, wird nichts importiert; mit
                               --spalten ZUORDNUNG jede andere CSV-Datei

DATEI    ein Tankbuch im Format des Programms (.slg)
QUELLE   eine CSV-Datei: Betankungen aus Spritmonitor, eine Sicherung aus Fuelio, ein
         Export aus Fuelly, Drivvo, Road Trip, aCar, LubeLogger, GasBuddy, evcc oder ein
         CSV-Export des Programms; das Format wird am Inhalt erkannt. Meilen und
         Gallonen werden umgerechnet; von mehreren Fahrzeugen wird das erste
         übernommen, Einheiten, die die Datei nicht nennt, als km und Liter gelesen
         (die Ausgabe sagt beides)
ANSICHT  1 KM-Stand, 2 Getankte Liter, 3 Liter je 100 KM, 4 KM-Interval,
         5 Kosten/KM, 6 Literpreis, 7 Tankkosten

Optionen:
  --monat           Grafik nach Monat statt nach Eintrag
  --window          wie das Fenster "Statistik...": erst neu berechnen (Seite und
                    Fenster zeigen dieselben Werte)
  --zoom 100        Wertachse ab 0
  --zoom bereich    Wertachse vom kleinsten bis zum größten Wert (Vorgabe)
  --to ZIEL         Zieldatei des Exports; ihre Endung muss zum Format passen
  --pdf ZIEL.pdf    Zieldatei des Ausdrucks oder des Berichts
  --png BILD        die Grafik als PNG-Bild nach BILD
  --svg BILD        die Grafik als SVG-Grafik nach BILD
  --size BxH        Größe des Bildes in Pixeln (Vorgabe 1200x800)
  --energie E       chart: Menge, Verbrauch und Preis der Energie E allein (Liter,
                    kg oder kWh); ohne die Option die der Energie mit den meisten
                    Einträgen
  --monate JAHR     years: die zwölf Monate des Jahres JAHR statt der Jahre
  --spalten ZUORDNUNG  import: liest QUELLE nach dieser Zuordnung, Angaben durch
                    Leerzeichen getrennt, z. B. "trenner=; dezimal=, datum=TMJ kopf=ja
                    strecke=km menge=l 1=Datum 2=KM-Stand 3=Menge 4=Gesamtpreis";
                    Rollen: Datum, KM-Stand, Menge, Literpreis, Gesamtpreis, Sorte,
                    Tankstelle, Ort, Anmerkung, Voll, Teilweise (ja/nein); trenner ; , |
                    tab; datum TMJ, MTJ, JMT; strecke km, meilen; menge l, usgal, impgal
  --help            diese Hilfe
  --version         die Versionsnummer

Die Überschriften der Anmerkungsspalten, die Sicherungskopie (*.bak) beim Speichern und
der Verbrauch von Volltank zu Volltank folgen den Einstellungen des Programms
($XDG_CONFIG_HOME/Ostrel/Spritlog.conf, sonst ~/.config/Ostrel/Spritlog.conf).

Jahresübersicht (years): ein Datensatz zählt in dem Jahr und Monat seines Datums
(TT.MM.JJJJ); ohne gültiges Datum zählt er nicht. Jedes Jahr vom ersten bis zum letzten
Datum bekommt eine Zeile, auch eines ohne Datensätze. KM, Liter und Tankkosten sind
Summen, Verbrauch der Durchschnitt der Verbrauchswerte wie auf der Seite "Statistik",
EUR je 100 KM = Tankkosten / KM x 100. KM ganz, sonst zwei Nachkommastellen mit Punkt;
eine leere Zelle, wo nichts zu rechnen ist. Hinter dem laufenden Jahr steht (laufend).

Energien (energies): die Sorte (Spalte Benzin) bestimmt die Energie: kWh, wenn sie auf
(kWh) endet oder ihr erstes Wort Strom, Ökostrom, Ladestrom, Elektro oder kWh ist; kg,
wenn sie auf (kg) endet oder ihr erstes Wort Erdgas, Bio-Erdgas, CNG, Bio-CNG,
Wasserstoff oder H2 ist; AdBlue ist keine Energie (es zählt nur in den Kosten); alles
andere sind Liter. Menge und Kosten sind Summen, Verbrauch der Durchschnitt wie
"Verbrauch:" der Statistik über die Einträge dieser Energie, Kosten je KM dieser
Verbrauch mal dem mittleren Preis der Energie (Ct); "Gesamt" hat alle Kosten und die
Summe der Kosten je KM. Zwei Nachkommastellen mit Punkt; eine leere Zelle, wo nichts zu
rechnen ist.

Rückgabewert:
  0  erfolgreich
  1  Fehler oder Hinweis des Programms, die Meldung steht auf der Fehlerausgabe
     (zum Beispiel "Datei nicht gefunden!")
  2  falscher Aufruf

Beispiel: den HTML-Bericht jede Nacht um 2 Uhr veröffentlichen (crontab -e):
  0 2 * * *  spritlog-cli export "$HOME/auto.slg" htm --to /var/www/html/tankbuch.htm >/dev/null
Den Bericht und eine Grafik dazu:
  0 2 * * *  spritlog-cli report "$HOME/auto.slg" --pdf /var/www/html/tankbuch.pdf &&
             spritlog-cli chart 3 "$HOME/auto.slg" --png /var/www/html/verbrauch.png
)";
}

std::string VersionText() {
    return std::string("spritlog-cli ") + SPRITLOG_VERSION + "\n";
}

std::string UsageHint() {
    return "Hilfe: spritlog-cli --help";
}

} // namespace spritlog::cli
