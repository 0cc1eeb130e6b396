#include "language/LanguageTables.h"

namespace kadenza {

namespace {

struct UsedRow {
    int row;
    const char* english;
    const char* czech;
};

// The row numbers are shared with the other programs of the family, so they have gaps and
// must never be renumbered.
constexpr UsedRow usedRows[] = {
    {1, "Language", "Jazyk"},
    {2, "Power off", "Vypnutí přístroje"},
    {3, "Backlight off", "Podsvícení"},
    {4, "General", "Obecné"},
    {5, "Cu", "Cu"},
    {6, "Al", "Al"},
    {7, "File", "Soubor"},
    {8, "Open ...", "Otevři ..."},
    {9, "Save as ...", "Ulož jako ..."},
    {10, "Exit", "Konec"},
    {11, "Print ...", "Tiskni ..."},
    {13, "Instrument", "Přístroj"},
    {14, "Start transfer", "Spusť přenos"},
    {15, "Setup", "Nastavení"},
    {16, "Setup", "Nastavit"},
    {17, "Default settings", "Výrobní nastavení"},
    {18, "Cancel", "Zruš"},
    // Misspelt on purpose: the family's programs share this text.
    {19, "Interupted by user", "Přerušeno uživatelem"},
    {20, "Instrument not connected", "Přístroj není připojen"},
    {21, "Transmission failed", "Chyba při přenosu"},
    {22, "Error", "Chyba"},
    {23, "Name", "Jméno"},
    {24, "Unit", "Jednotka"},
    {25, "Note", "Poznámka"},
    {26, "About", "O aplikaci"},
    {119, "Export as XML ...", "Ulož jako XML ..."},
    {186, "Address number", "Číslo adresy"},
    {227, "Start transfer Mx310.1", "Spusť přenos z Mx310.1"},
    {239, "Export as HTML...", "Ulož data jako HTML ..."},
    {244, "Distance", "Vzdálenost"},
    {245, "Frequency", "Kmitočet"},
    {246, "Kadenza", "Kadenza"},
    {253, "Resistance beep limit", "Signalizace odporu"},
    {255,
     "Kadenza\n"
     "\n"
     "Version " KADENZA_VERSION "\n"
     "Downloads, shows, keeps and exports the measurements of hand-held installation "
     "testers.\n",
     "Kadenza\n"
     "\n"
     "Verze " KADENZA_VERSION "\n"
     "Přenáší, zobrazuje, ukládá a exportuje měření z ručních revizních přístrojů.\n"},
    // Why a serial port present on the computer cannot be used.
    {256, "You may not open this port: add your user to the dialout group and log in again",
     "Tento port nemáte oprávnění otevřít: přidejte uživatele do skupiny dialout a znovu se "
     "přihlaste"},
    {257, "The port is in use by another program", "Port používá jiný program"},
    {258, "The device is not a serial port", "Zařízení není sériový port"},
    {259, "Save values as plain text ...", "Ulož hodnoty jako text ..."},
    {260, "The device does not respond", "Zařízení neodpovídá"},
    // What the setup dialog and kadenza-cli say about settings that cannot be written.
    {261, "This instrument keeps no settings", "Tento přístroj nemá nastavení"},
    {262, "outside the allowed range", "mimo povolený rozsah"},
    // A data file that ends before everything it declares; %s is the number of bytes.
    {263, "The file is cut short: bytes missing (read as zero): at least %s.",
     "Soubor je zkrácený: chybějící bajty (čtou se jako nuly): nejméně %s."},
    {264, "Undo", "Zpět"},
    // Asked before data not saved would be lost.
    {265, "The measurements have not been saved. Save them first?",
     "Naměřená data nejsou uložena. Uložit je nejdřív?"},
    {266, "Save as CSV ...", "Ulož jako CSV ..."},
    // The header of the CSV file, with rows 24 and 25, and its verdicts.
    {267, "Bank", "Banka"},
    {268, "Address", "Adresa"},
    {269, "Symbol", "Značka"},
    {270, "Value", "Hodnota"},
    {271, "Shown value", "Zobrazená hodnota"},
    {272, "Primary", "Primární"},
    {273, "Over range", "Mimo rozsah"},
    {274, "Limit", "Mez"},
    {275, "Verdict", "Výsledek"},
    {276, "pass", "vyhovuje"},
    {277, "fail", "nevyhovuje"},
    {278, "not judged", "neposuzováno"},
    // A verdict a rule could not give: the detail it lacked follows.
    {279, "missing", "chybí"},
    // The inspection's details, as the details dialog and the report name them.
    {280, "Client", "Objednatel"},
    {281, "Site", "Místo"},
    {282, "Object", "Objekt"},
    {283, "Inspector", "Revizní technik"},
    {284, "Licence number", "Číslo osvědčení"},
    {285, "Date", "Datum"},
    {286, "Next inspection", "Příští revize"},
    {287, "Instrument model", "Typ přístroje"},
    {288, "Serial number", "Výrobní číslo"},
    {289, "Profile", "Profil"},
    {290, "Touch voltage limit U_L", "Dovolené dotykové napětí U_L"},
    {291, "Loop impedance factor", "Součinitel impedance smyčky"},
    {292, "Remarks", "Poznámky"},
    {293, "Label", "Označení"},
    {294, "Protective device", "Jistič"},
    {295, "Rated residual current I_Δn", "Jmenovitý reziduální proud I_Δn"},
    {296, "RCD type", "Typ chrániče"},
    {297, "Selective", "Selektivní"},
    {298, "Earthing system", "Soustava"},
    {299, "Nominal voltage", "Jmenovité napětí"},
    {300, "PE conductor limit", "Mez ochranného vodiče"},
    {301, "Appliance class", "Třída ochrany"},
    {302, "Cord length", "Délka přívodu"},
    {303, "Inspection details ...", "Údaje o revizi ..."},
    {304, "Inspection report (PDF) ...", "Protokol o měření (PDF) ..."},
    {305, "Inspection report", "Protokol o měření"},
    // The profiles an inspection is judged by.
    {306, "Installation, IEC 60364-6:2016", "Elektrická instalace, ČSN 33 2000-6 ed. 2"},
    {307, "Installation, IEC 60364-6:2006", "Elektrická instalace, ČSN 33 2000-6:2007"},
    {308, "Appliances, EN 50678", "Elektrické spotřebiče, ČSN EN 50678"},
    {309, "By the measurements", "Podle naměřených hodnot"},
    // The inspection report: its page numbers, headings, counts and the signature line.
    {310, "Page %1 of %2", "Strana %1 z %2"},
    {311, "Overall verdict", "Celkový výsledek"},
    {312, "Signature", "Podpis"},
    {313, "Sources of the limits", "Zdroje mezních hodnot"},
    {314, "Passed", "Vyhovělo"},
    {315, "Failed", "Nevyhovělo"},
    {316, "Not judged", "Neposuzováno"},
    {317, "Standards", "Normy"},
    {318, "Measured values", "Naměřené hodnoty"},
    {319, "Summary", "Souhrn"},
    {320, "yes", "ano"},
    {321, "no", "ne"},
    // An item a rule could not judge for want of a detail, and a whole that therefore has no
    // verdict yet.
    {322, "missing detail", "chybí údaj"},
    {323, "incomplete", "neúplné"},
    {324, "Missing detail", "Chybí údaj"},
    {325, "Missing details", "Chybějící údaje"},
    // Remarks beside a verdict.
    {326, "test voltage below the circuit's: its minimum applies",
     "zkušební napětí nižší, než obvod vyžaduje: platí mez obvodu"},
    {327, "test voltage below 250 V: no insulation test",
     "zkušební napětí pod 250 V: nejde o zkoušku izolace"},
    {328, "measuring current below 0.2 A", "měřicí proud menší než 0,2 A"},
    {329, "over range: the protective conductor is open",
     "mimo rozsah: ochranný vodič je přerušen"},
    {330, "disconnected in time by the RCD, not by the breaker",
     "včasné odpojení zajišťuje chránič, ne jistič"},
    {331, "Installation built under IEC 60364-6-61:2001",
     "Elektrická instalace zřízená podle ČSN 33 2000-6-61:2003"},
    // More columns of the CSV file.
    {332, "Rule", "Pravidlo"},
    {333, "Remark", "Upozornění"},
    // The revision's checklist: the visual inspection, then the functional tests.
    {334, "Method of protection against electric shock",
     "Způsob ochrany před úrazem elektrickým proudem"},
    {335, "Fire barriers and protection against thermal effects",
     "Protipožární přepážky a ochrana před účinky tepla"},
    {336, "Conductors selected for current-carrying capacity and voltage drop",
     "Dimenzování vodičů podle proudové zatížitelnosti a úbytku napětí"},
    {337, "Choice and setting of protective and monitoring devices",
     "Volba a nastavení ochranných a kontrolních přístrojů"},
    {338, "Isolating and switching devices present and correctly placed",
     "Odpojovací a spínací přístroje přítomny a správně umístěny"},
    {339, "Equipment and measures suited to external influences",
     "Zařízení a opatření odpovídají vnějším vlivům"},
    {340, "Neutral and protective conductors identified", "Označení středních a ochranných vodičů"},
    {341, "Single-pole switching devices in line conductors",
     "Jednopólové spínací přístroje v krajních vodičích"},
    {342, "Diagrams, warning notices and similar information",
     "Schémata, výstražné tabulky a podobné informace"},
    {343, "Identification of circuits, fuses, switches and terminals",
     "Označení obvodů, pojistek, spínačů a svorek"},
    {344, "Connections of conductors", "Spoje vodičů"},
    {345, "Protective and bonding conductors present and adequate",
     "Ochranné a pospojovací vodiče přítomny a vyhovující"},
    {346, "Equipment accessible for operation, identification and maintenance",
     "Přístupnost zařízení pro obsluhu, označení a údržbu"},
    {347, "RCD test buttons", "Zkušební tlačítka proudových chráničů"},
    {348, "Switchgear and controls", "Rozváděče a ovládací prvky"},
    {349, "Interlocks", "Blokování"},
    // The environments and the places of the periods of revisions.
    {350, "basic", "základní"},
    {351, "normal", "normální"},
    {352, "outdoor", "venkovní"},
    {353, "under a roof", "pod přístřeškem"},
    {354, "cold", "studené"},
    {355, "hot", "horké"},
    {356, "damp", "vlhké"},
    {357, "increased corrosion", "se zvýšenou korozní agresivitou"},
    {358, "non-flammable dust", "prašné s nehořlavým prachem"},
    {359, "biological pests", "s biologickými škůdci"},
    {360, "vibration", "s otřesy"},
    {361, "passive fire hazard", "s nebezpečím požáru"},
    {362, "passive explosion hazard", "s nebezpečím výbuchu"},
    {363, "wet", "mokré"},
    {364, "extreme corrosion", "s extrémní korozní agresivitou"},
    {365, "gatherings of more than 250 people", "shromažďovací prostory pro více než 250 osob"},
    {366, "brick residential and office buildings", "zděné obytné a kancelářské budovy"},
    {367, "holiday centres, schools, nurseries, hotels",
     "rekreační zařízení, školy, mateřské školy, hotely"},
    {368, "buildings of flammable materials", "objekty z hořlavých hmot"},
    {369, "mobile and transportable units", "pohyblivá a přenosná zařízení"},
    {370, "temporary installations of construction sites", "prozatímní zařízení staveniště"},
    {371, "bathrooms", "prostory s vanou nebo sprchou"},
    {372, "swimming pools", "plavecké bazény"},
    {373, "saunas", "sauny"},
    {374, "agriculture", "zemědělská zařízení"},
    {375, "outdoor lighting", "venkovní osvětlení"},
    {376, "common parts of blocks of flats", "společné prostory bytových domů"},
    // The kinds of revision.
    {377, "initial verification", "výchozí"},
    {378, "periodic inspection", "pravidelná"},
    {379, "extraordinary inspection", "mimořádná"},
    // The codes of the defects' classes.
    {380, "C1", "a)"},
    {381, "C2", "b)"},
    {382, "C3", "b)"},
    {383, "FI", "b)"},
    // The conclusion in the words of the regulation.
    {384, "The installation is SATISFACTORY: it is safe for continued use.",
     "Elektrická instalace je z hlediska bezpečnosti schopna provozu."},
    {385, "The installation is UNSATISFACTORY: it is not safe for continued use.",
     "Elektrická instalace není z hlediska bezpečnosti schopna provozu."},
    // The report of a revision.
    {386, "Electrical installation inspection report", "Zpráva o revizi elektrické instalace"},
    {387, "Report number", "Číslo zprávy"},
    {388, "Kind of revision", "Druh revize"},
    {389, "Reason", "Důvod"},
    {390, "Operator", "Provozovatel"},
    {391, "Scope", "Rozsah revize"},
    {392, "Supply system", "Napájecí soustava"},
    {393, "Protective measures", "Ochranná opatření"},
    {394, "External influences", "Vnější vlivy"},
    {395, "Documents used", "Podklady"},
    {396, "Start of the revision", "Zahájení revize"},
    {397, "End of the revision", "Ukončení revize"},
    {398, "Report written", "Vypracování zprávy"},
    {399, "Report handed over", "Předání zprávy"},
    {400, "Measuring instruments", "Měřicí přístroje"},
    {401, "Calibration sheet", "Kalibrační list"},
    {402, "Calibration date", "Datum kalibrace"},
    {403, "Inspection", "Prohlídka"},
    {404, "Functional tests", "Zkoušení"},
    {405, "defect", "závada"},
    {406, "not applicable", "netýká se"},
    {407, "satisfactory", "vyhovuje"},
    {408, "Defects found", "Zjištěné závady"},
    {409, "Defect", "Závada"},
    {410, "Provision", "Ustanovení"},
    {411, "Class", "Třída"},
    {412, "Deadline", "Termín odstranění"},
    {413, "No defects were found.", "Nebyly zjištěny žádné závady."},
    {414, "Conclusion", "Závěr"},
    {415, "Next periodic revision", "Příští pravidelná revize"},
    {416, "set by the environment", "podle prostředí"},
    {417, "set by the kind of place", "podle druhu objektu"},
    {418, "every %1 months", "každých %1 měsíců"},
    {419, "Distribution list", "Rozdělovník"},
    {420, "1× operator, 1× inspector", "1× provozovatel, 1× revizní technik"},
    {421, "Received by (operator)", "Zprávu převzal (provozovatel)"},
    {422, "DRAFT", "KONCEPT"},
    {423, "This report is a draft. It lacks", "Zpráva je koncept. Chybí"},
    {424, "Actions done", "Provedené úkony"},
    {425, "Measurements", "Měření"},
    {426, "Evaluation", "Vyhodnocení"},
    {427, "Reasons", "Odůvodnění"},
    {428, "Environment", "Prostředí"},
    {429, "Kind of place", "Druh objektu"},
    // The revision's editor.
    {430, "Revision", "Revize"},
    {431, "Installation", "Instalace"},
    {432, "Circuits", "Okruhy"},
    {433, "Defects", "Závady"},
    {434, "Sign ...", "Podepsat ..."},
    {435, "Preview", "Náhled"},
    {436, "Certificate", "Certifikát"},
    {437, "Password", "Heslo"},
    {438, "Proposed from a failed value", "Návrh z nevyhovující hodnoty"},
    {439, "Add", "Přidat"},
    {440, "Remove", "Odebrat"},
    {441, "safe to operate", "schopna provozu"},
    {442, "not safe to operate", "není schopna provozu"},
    {443,
     "The installation cannot be called safe:", "Instalaci nelze označit za schopnou provozu:"},
    // The classes of the defects, described.
    {444, "C1 – danger present, immediate action", "a) závada bezprostředně ohrožující bezpečnost"},
    {445, "C2 – potentially dangerous, urgent action", "b) závada potenciálně nebezpečná"},
    {446, "C3 – improvement recommended", "b) doporučené zlepšení"},
    {447, "FI – further investigation without delay", "b) nutné další šetření"},
    {448, "Save", "Uložit"},
    // Why the installation cannot be called safe to operate.
    {449, "defect %1 endangers safety", "závada %1 bezprostředně ohrožuje bezpečnost"},
    {450, "measured values failing their limits in an initial revision: %1",
     "nevyhovující naměřené hodnoty při výchozí revizi: %1"},
    // What a screen reader hears of the controls that show no text.
    {451, "Progress", "Průběh"},
    {452, "Stop", "Zastavit"},
    {453, "Serial port", "Sériový port"},
    {454, "Measured data", "Naměřená data"},
    {455, "Transfer finished", "Přenos dokončen"},
    {456, "Settings", "Nastavení"},
    // A file the system refused, followed by its reason.
    {457, "Cannot open file %1", "Nelze otevřít soubor %1"},
    {458, "Cannot create file %1", "Nelze vytvořit soubor %1"},
};

constexpr LanguageTable buildTable(int language) {
    LanguageTable table{};
    for (const char*& text : table) {
        text = "";
    }
    for (const UsedRow& used : usedRows) {
        table[used.row] = language == englishLanguage ? used.english : used.czech;
    }
    return table;
}

}  // namespace

constexpr LanguageTable englishTable = buildTable(englishLanguage);
constexpr LanguageTable czechTable = buildTable(czechLanguage);

}  // namespace kadenza
