#pragma once
// The binary file of a client dataset ("temp.cds", "temp2.cds", "Tarnvik.dat"): field
// definitions and rows. The format is documented in docs/dataset-file-format.md.

#include "DataPacket.h"

#include <string>

namespace DatasetFile {

// Writes the whole packet, creating or replacing the file.
// Fails with EFCreateError "Cannot create file "%s". %s".
void save(const std::string& path, const DataPacket& packet);

// Reads a file written by save. A missing or unreadable file fails with EFOpenError
// "Cannot open file "%s". %s"; a file that is cut short or corrupt fails with EReadError
// naming the file and the problem. Never crashes on any input.
DataPacket load(const std::string& path);

// The same on bytes in memory (the fuzz target and the tests use it); errors name "source".
DataPacket parse(const std::string& bytes, const std::string& source);
std::string serialize(const DataPacket& packet);

}
