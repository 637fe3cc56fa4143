#pragma once
// Registration scripts: the text in which a COM server lists the registry keys and
// values it adds on registration and what it takes away again on unregistration.
//
//   HKCR
//   {
//       NoRemove CLSID
//       {
//           ForceRemove {GUID} = s 'Class name'
//           {
//               InprocServer32 = s '%MODULE%'
//               {
//                   val ThreadingModel = s 'Apartment'
//               }
//           }
//       }
//   }
//
// Words are separated by white space; quoted texts use single quotes, a doubled quote
// stands for one. Markers "%NAME%" are replaced inside words and texts only, so a
// replacement text can never change the script's structure; "%%" stands for "%".
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace foldwise {

enum class RegistryRoot { classesRoot, currentUser, localMachine, users, currentConfig };

// What registration and unregistration do with a key besides its values and subkeys.
enum class KeyRemoval {
    normal,      // created; removed on unregistration when no subkey is left in it
    forceRemove, // deleted whole and created anew; deleted whole on unregistration
    noRemove,    // created when missing; never deleted, only its subkeys are handled
    deleteOnly,  // deleted whole on registration; left alone on unregistration
};

enum class ValueKind { string, expandString, dword, binary };

struct ScriptValue {
    std::string name; // empty: the key's default value
    ValueKind kind = ValueKind::string;
    std::string text;                // string kinds
    std::uint32_t number = 0;        // dword
    std::vector<std::uint8_t> bytes; // binary
};

struct ScriptKey {
    std::string name;
    KeyRemoval removal = KeyRemoval::normal;
    std::vector<ScriptValue> values; // the default value first when the script gives one
    std::vector<ScriptKey> subkeys;
};

struct ScriptRoot {
    RegistryRoot root = RegistryRoot::classesRoot;
    std::vector<ScriptKey> keys;
};

struct RegistrarScript {
    std::vector<ScriptRoot> roots;
};

// Replacement texts of the "%NAME%" markers, by NAME (case-sensitive).
using ScriptVariables = std::map<std::string, std::string>;

// Reads text into script. A malformed script, or one naming a marker that variables
// lacks, is refused: false, with error saying what was wrong and where.
bool parseRegistrarScript(const std::string& text, const ScriptVariables& variables,
                          RegistrarScript& script, std::string& error);

} // namespace foldwise
