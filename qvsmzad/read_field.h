// ReadField: one comma-separated field of a Registry section line.
#ifndef QVSMZAD_READ_FIELD_H
#define QVSMZAD_READ_FIELD_H

#include <cstddef>

// Copies the field at the start of `text` into `field` (at most `capacity` - 1
// characters are stored; the scan goes on to the field's end regardless).
// Leading white space is skipped; a double quotation mark right there opens a
// quoted part, in which white space is kept; the next double quotation mark
// closes it, and every double quotation mark is dropped. Outside the quoted
// part white space is dropped. A comma always ends the field.
// Returns the offset from `text` to the character after that comma, or 0 when
// the field ended at the end of the text (the caller's cursor then stays, so
// a field that the line lacks reads as a repeat of its last field).
int ReadField(const char* text, char* field, size_t capacity);

#endif
