// The country settings file named on the command line.
#ifndef QVSMZAD_COMMAND_LINE_H
#define QVSMZAD_COMMAND_LINE_H

// Given the whole command line (program name first), returns the path of the
// country settings file: the text after the program name and the white space
// that follows it, verbatim (quotation marks and trailing blanks kept), or
// "QVSMzad.ini" in the current directory when that text is empty.
const char* CountryFilePath(const char* commandLine);

#endif
