// Capacities of the fixed working buffers of one run, terminator included.
#ifndef QVSMZAD_BUFFER_SIZES_H
#define QVSMZAD_BUFFER_SIZES_H

enum {
  kLineSize = 500,      // one line or piece of a line, line feed included
  kSectionSize = 504,   // CurrentSection
  kFieldSize = 504,     // scratch field
  kKeyPathSize = 50,    // key path of a RegistryLine
  kValueNameSize = 50,  // value name of a RegistryLine
  kDataSize = 64        // string or byte data of a RegistryLine
};

#endif
