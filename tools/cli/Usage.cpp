#include "cli/Usage.h"

namespace kadenza::cli {

const char toolUsage[] =
    "Usage: kadenza-cli COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  convert IN.tso OUT...            write a data file in other formats\n"
    "  show IN.tso [--mask M] [--raw]   print a data file's banks and items\n"
    "\n"
    "Run 'kadenza-cli COMMAND --help' for the details of a command.\n";

const char convertUsage[] =
    "Usage: kadenza-cli convert IN.tso OUT...\n"
    "\n"
    "Opens the data file IN.tso and writes it to every OUT, in the format that the\n"
    "extension of OUT names (upper or lower case):\n"
    "  .tso          data file\n"
    "  .xml          XML\n"
    "  .html, .htm   web page\n"
    "  .txt          plain text: each bank and the values of its items\n"
    "The outputs are written in the order given; the first that fails ends the command.\n"
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

}  // namespace kadenza::cli
