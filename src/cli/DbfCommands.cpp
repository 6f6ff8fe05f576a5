// tessarine-cli dbf commands: dump a dBASE table as JSON.
#include "cli/Cli.h"
#include "resources/BigFile.h"
#include "resources/Dbf.h"
#include "resources/Utils.h"

namespace tess::cli {

namespace {

// FILE is a disk path from the start directory when it names a file there; otherwise a game
// data name, looked up in the archive and then in the game directory.
int DbfDump(const Args& args) {
    args.Expect(1, 1, {"--game-dir"});
    const std::string given = args.Positional(0, "FILE");
    const std::string userPath = UserPath(given);
    EnterGameDirectory(args);
    const std::string name = FileExistsOnDisk(userPath) ? userPath : given;
    if (!BigFile().FileExists(name)) throw InputError("no table \"" + given + "\"");

    tTable table;
    OpenDBF(table, name);
    nlohmann::json fields = nlohmann::json::array();
    for (const tFieldDescriptor& f : table.Fields())
        fields.push_back({{"Name", Cp1250ToUtf8(RightTrim(f.Name))},
                          {"FieldType", Cp1250ToUtf8(std::string(1, f.FieldType))},
                          {"Length", f.Length},
                          {"Decimals", f.Decimals}});
    nlohmann::json records = nlohmann::json::array();
    for (First(table); !Eof(table); Next(table)) {
        nlohmann::json record = nlohmann::json::object();
        for (const tFieldDescriptor& f : table.Fields())
            record[Cp1250ToUtf8(RightTrim(f.Name))] = Cp1250ToUtf8(GetString(table, f));
        records.push_back(std::move(record));
    }
    const int32_t count = table.RecordCount;
    CloseDBF(table);
    PrintJson({{"RecordCount", count}, {"Fields", fields}, {"Records", records}});
    return kOk;
}

const Registration kDump({"dbf", "dump", "dbf dump FILE [--game-dir DIR]", {}, DbfDump});

}  // namespace

}  // namespace tess::cli
