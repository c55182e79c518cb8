#pragma once

#include "settings/editing.h"
#include "settings/settings.h"

#include <string>
#include <string_view>
#include <vector>

namespace vkr {

// Lists of servers as players share them, in the format qstat reads: one "host:port" a line, the
// port being the server's query port (the game port plus one); a line may start with a server
// type ("gps 10.0.0.5:2303"), which is ignored, and "#" starts a comment line. A host without a
// port is a server on the default game port.

// A file's lines read as servers: each server as the typed-address reader takes it
// ("host:game port"), and the lines that are not understood, with the first one's number and why.
struct ServerListReading {
    std::vector<std::string> addresses;
    int notUnderstood = 0;
    std::string firstProblem; // "line 7: <why>"
};
ServerListReading readServerList(std::string_view text);

// What adding a list to the server table did.
struct ServerListImport {
    int added = 0;
    int already = 0; // listed in the table before, or earlier in the file
    int refused = 0; // not added: the table is full
    ServerListReading reading;
    // The report for the user: "N added, M already listed, K lines not understood (first: ...)".
    std::string report() const;
};

// Adds the list's servers that the table does not have as new rows, as a typed address adds them
// (named after their host), until the table is full.
ServerListImport importServerList(ServerTable& servers, std::string_view text,
                                  const IdSource& draw);

// The table as a list: a comment with each server's name, then its address and query port. Rows
// whose port is not a game port (1 to 65534) have no query port to write and are left out.
struct ServerListExport {
    std::string text;
    int written = 0;
    int leftOut = 0;
};
ServerListExport writeServerList(const ServerTable& servers);

} // namespace vkr
