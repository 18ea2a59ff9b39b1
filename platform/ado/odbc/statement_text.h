// A command as the Access dialect takes it: one statement, which blanks, comments and
// semicolons may follow, but nothing else. Drivers differ here (the SQLite3 driver
// refuses even a comment after the semicolon, a server runs whole batches), so the
// provider reads the command itself and hands the driver the statement alone.
#pragma once

#include <string_view>

namespace platform::ado::odbc {

struct CommandStatement {
    enum class Shape { None, One, More } shape = Shape::None;
    std::string_view statement;  // for One: its text, without the blanks, comments and semicolon after it
};

// Reads the command: quoted texts ('...', "...", [...], `...`) and comments (-- to the
// end of the line, /* ... */) hide semicolons.
CommandStatement ReadCommand(std::string_view command);

}  // namespace platform::ado::odbc
