#include "cli/Usage.h"

namespace kadenza::cli {

const char toolUsage[] =
    "Usage: kadenza-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  convert IN.tso OUT...            write a data file in other formats\n"
    "  show IN.tso [--mask M] [--raw]   print a data file's banks and items\n"
    "  decode --model CODE IMAGE OUT... decode an instrument's memory image\n"
    "  decode --legacy FRAME OUT...     decode the frame of an Mx310.1\n"
    "  setup show|encode ...            show or build an instrument's settings\n"
    "  sample --model CODE IMAGE        write a sample memory image\n"
    "  sample --legacy FRAME            write a sample Mx310.1 frame\n"
    "  download --port DEV OUT...       download an instrument's measurements\n"
    "  legacy --port DEV OUT...         receive the measurements an Mx310.1 sends\n"
    "  setup read|write|defaults --port DEV ...\n"
    "                                   the settings of the instrument on a port\n"
    "  ports                            list the serial ports and why one cannot be used\n"
    "\n"
    "\n"
    "A valued option may be written --option=value; -- ends the options. Messages are in\n"
    "Czech when the environment's locale (LC_ALL, LC_MESSAGES or LANG) is Czech, in English\n"
    "otherwise, unless --lang says.\n"
    "Run 'kadenza-cli COMMAND --help' for the details of a command, 'kadenza-cli --version'\n"
    "for the version.\n";

const char convertUsage[] =
    "Usage: kadenza-cli convert IN.tso OUT... [--format tso|xml|html|txt]\n"
    "\n"
    "Opens the data file IN.tso and writes it to every OUT, in the format that the\n"
    "extension of OUT names (upper or lower case):\n"
    "  .tso          data file\n"
    "  .xml          XML\n"
    "  .html, .htm   web page\n"
    "  .txt          plain text: each bank and the values of its items\n"
    "OUT - is standard output, written in the format --format names, which also serves an\n"
    "OUT whose extension names none (such as a device). The outputs are written in the order\n"
    "given; the first that fails ends the command. A link is followed to the file it names,\n"
    "which is replaced only once it is written whole; a file with other hard links, a device\n"
    "or a FIFO is written into. IN.tso may hold at most 4 MiB; a file cut short is read with\n"
    "a warning of the bytes it lacks.\n"
    "\n"
    "Exit status: 0 done, 1 wrong arguments, 2 a file could not be read or written.\n";

const char showUsage[] =
    "Usage: kadenza-cli show IN.tso [--mask M] [--raw]\n"
    "\n"
    "Prints every bank of the data file IN.tso and below it, indented, the bank's items;\n"
    "a primary item is followed by its address number [n], counted within its bank.\n"
    "  --mask M   columns to show, added up: 1 name, 2 unit, 4 note (default 7);\n"
    "             8 to 13 show the items' values alone, multiplied by 1e6, 1e3, 1,\n"
    "             1e-3, 1e-6 or 1e-9\n"
    "  --raw      print the rows' bytes unchanged, style codes included\n"
    "Without --raw a subscript reads _{...} and a superscript ^{...}, a row ends at a\n"
    "carriage return and other control characters read as blanks.\n"
    "\n"
    "Exit status: 0 done, 1 wrong arguments, 2 the file could not be read.\n";

const char decodeUsage[] =
    "Usage: kadenza-cli decode --model CODE IMAGE OUT... [--format F]\n"
    "       kadenza-cli decode --legacy FRAME OUT... [--format F]\n"
    "\n"
    "Decodes a memory image as the instrument model CODE keeps it, or the frame an Mx310.1\n"
    "sends after its start byte, and writes the measurements to every OUT in the format its\n"
    "extension names (.tso, .xml, .html, .htm, .txt), or - to standard output, as convert\n"
    "does.\n"
    "  CODE    1 Mx340, 2 Mx320, 3 Mx310.2, 4 Mx330, 5 Mx350\n"
    "  IMAGE   up to 8192 bytes; a shorter image is taken as unread (0xFF) to the end\n"
    "  FRAME   exactly 532 bytes; its checksum must match\n"
    "\n"
    "Exit status: 0 done, 1 wrong arguments, 2 a file could not be read or written,\n"
    "4 the frame's checksum does not match.\n";

const char setupUsage[] =
    "Usage: kadenza-cli setup show --model CODE --image IMAGE [--lang cs|en]\n"
    "       kadenza-cli setup encode --model CODE (--image IMAGE | --defaults)\n"
    "                                [--set ID:POS=VALUE ...] --image-out OUT\n"
    "       kadenza-cli setup read --port DEV [--lang cs|en] [--trace FILE]\n"
    "       kadenza-cli setup write --port DEV [--defaults] [--set ID:POS=VALUE ...]\n"
    "                               [--lang cs|en] [--trace FILE]\n"
    "       kadenza-cli setup defaults --port DEV [--lang cs|en] [--trace FILE]\n"
    "\n"
    "show prints the settings kept in the memory image: each group, then its items with\n"
    "their values and units, in the language of --lang or of the environment.\n"
    "encode takes the settings of the image, or the model's factory settings with\n"
    "--defaults, sets the item at position POS (from 0) of the group with id ID to VALUE\n"
    "for every --set, and writes a memory image holding the encoded settings to OUT.\n"
    "read prints the settings of the instrument on the port DEV; a value read outside its\n"
    "range (an instrument whose settings were erased) is marked so.\n"
    "write reads them (or takes the model's factory settings with --defaults), applies every\n"
    "--set, writes them to the instrument and prints what was written. It writes nothing\n"
    "it did not read or was not told to take, and nothing read outside its range: set such\n"
    "a value with --set, or write --defaults. Once the first block is out, the write runs\n"
    "to its end even after Ctrl+C (a second Ctrl+C ends the tool at once).\n"
    "defaults prints the factory settings of the instrument's model.\n"
    "A value outside the item's range, or an item the setup does not have, is an error.\n"
    "  CODE    1 Mx340, 2 Mx320, 3 Mx310.2, 4 Mx330, 5 Mx350\n"
    "  --trace FILE   record every byte sent and received, with its time\n"
    "\n"
    "Exit status: 0 done, 1 wrong arguments, 2 a file could not be read or written, or a\n"
    "setting read outside its range would be written, 3 instrument not connected,\n"
    "4 transmission failed, 5 interrupted (Ctrl+C), 6 the instrument keeps no settings.\n";

const char sampleUsage[] =
    "Usage: kadenza-cli sample --model CODE IMAGE\n"
    "       kadenza-cli sample --legacy FRAME\n"
    "\n"
    "Writes the sample memory image of the model CODE (8192 bytes), or the sample frame of\n"
    "an Mx310.1 (532 bytes), as an instrument would hold them after an inspection; IMAGE or\n"
    "FRAME - is standard output.\n"
    "  CODE    1 Mx340, 2 Mx320, 3 Mx310.2, 4 Mx330, 5 Mx350\n"
    "\n"
    "Exit status: 0 done, 1 wrong arguments, 2 the file could not be written.\n";

const char downloadUsage[] =
    "Usage: kadenza-cli download --port DEV [--lang cs|en] [--trace FILE] [--format F]\n"
    "                            OUT...\n"
    "\n"
    "Identifies the instrument on the serial port DEV, reads its memory and writes the\n"
    "measurements to every OUT in the format its extension names (.tso, .xml, .html,\n"
    ".htm, .txt), or - to standard output, as convert does. A progress bar shows on a\n"
    "terminal; Ctrl+C (or SIGTERM) stops the transfer within half a second, a second Ctrl+C\n"
    "ends the tool at once.\n"
    "  --lang cs|en   language of the messages (by default the environment's)\n"
    "  --trace FILE   record every byte sent and received, with its time\n"
    "  --format F     tso, xml, html or txt: the format of - and of an OUT without extension\n"
    "\n"
    "Exit status: 0 done, 1 wrong arguments, 2 a file (the trace too) could not be written,\n"
    "3 instrument not connected, 4 transmission failed, 5 interrupted.\n";

const char legacyUsage[] =
    "Usage: kadenza-cli legacy --port DEV [--lang cs|en] [--trace FILE] [--format F]\n"
    "                          OUT...\n"
    "\n"
    "Waits on the serial port DEV (1200 baud) for the memory an Mx310.1 sends when its\n"
    "transfer is started on the instrument, checks it and writes the measurements to every\n"
    "OUT, as download does. There is no time limit: Ctrl+C stops the wait.\n"
    "\n"
    "Exit status: 0 done, 1 wrong arguments, 2 a file could not be written,\n"
    "4 transmission failed, 5 interrupted.\n";

const char portsUsage[] =
    "Usage: kadenza-cli ports [--lang cs|en]\n"
    "\n"
    "Lists the serial ports of this computer, one a line, the built-in ones that have a UART\n"
    "too. A port a transfer cannot open now is followed by a tab and the reason (in the\n"
    "language of --lang or of the environment), such as a user who is not in the dialout\n"
    "group or a port held by another program.\n";

}  // namespace kadenza::cli
