#include "foldwise/registrar.h"
#include "foldwise/registrar_script.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

using namespace foldwise;

namespace {

// The registry as a set of key paths ("HKCR\A\B") with their values by name.
class FakeRegistry : public RegistryEditor {
public:
    std::map<std::string, std::map<std::string, ScriptValue>> keys;
    std::string failCreating; // path whose creation fails with failCode
    std::string failDeleting; // path whose deletion fails with failCode
    long failCode = 5;

    static std::string full(RegistryRoot root, const std::string& path)
    {
        return std::string(root == RegistryRoot::classesRoot ? "HKCR" : "HKCU") + "\\" + path;
    }

    void add(const std::string& path, const std::string& valueName = "",
             const std::string& text = "")
    {
        for (std::size_t at = 0; at != std::string::npos;) {
            at = path.find('\\', at + 1);
            keys[path.substr(0, at)];
        }
        if (!text.empty() || !valueName.empty())
            keys[path][valueName].text = text;
    }

    std::set<std::string> paths() const
    {
        std::set<std::string> out;
        for (const auto& key : keys)
            out.insert(key.first);
        return out;
    }

    long createKey(RegistryRoot root, const std::string& path) override
    {
        if (path == failCreating)
            return failCode;
        add(full(root, path));
        return 0;
    }

    long setValue(RegistryRoot root, const std::string& path, const ScriptValue& value) override
    {
        const auto key = keys.find(full(root, path));
        if (key == keys.end())
            return 2;
        key->second[value.name] = value;
        return 0;
    }

    long deleteTree(RegistryRoot root, const std::string& path) override
    {
        if (path == failDeleting)
            return failCode;
        const std::string name = full(root, path);
        for (auto key = keys.begin(); key != keys.end();) {
            if (key->first == name || key->first.rfind(name + "\\", 0) == 0)
                key = keys.erase(key);
            else
                ++key;
        }
        return 0;
    }

    long deleteIfNoSubkeys(RegistryRoot root, const std::string& path) override
    {
        if (path == failDeleting)
            return failCode;
        const std::string name = full(root, path);
        for (const auto& key : keys) {
            if (key.first.rfind(name + "\\", 0) == 0)
                return 0;
        }
        keys.erase(name);
        return 0;
    }
};

RegistrarScript parsed(const std::string& text, const ScriptVariables& variables = {})
{
    RegistrarScript script;
    std::string error;
    EXPECT_TRUE(parseRegistrarScript(text, variables, script, error)) << error;
    return script;
}

// A class registration shaped like a shell extension's, small enough to follow.
const char* const kServerScript = R"(
HKCR
{
    Demo.Thing.1 = s 'Thing Class'
    {
        CLSID = s '{1111}'
    }
    NoRemove CLSID
    {
        ForceRemove {1111} = s 'Thing Class'
        {
            ForceRemove 'Programmable'
            InprocServer32 = s '%MODULE%'
            {
                val ThreadingModel = s 'Apartment'
            }
        }
    }
    NoRemove Folder
    {
        NoRemove Handlers
        {
            ForceRemove {1111}
        }
    }
}
)";

} // namespace

TEST(registrarScript, readsKeysValuesAndMarkers)
{
    const RegistrarScript script = parsed(R"(HKEY_CURRENT_USER {
        NoRemove 'Soft''ware' = s 'It''s'
        {
            Delete Old
            ForceRemove New = e '%%PATH%%'
            {
                val Count = d '0x10'
                val Size = d '4096'
                val Raw = b '00ff7A'
                val 'Two Words' = s ''
            }
        }
    })");
    ASSERT_EQ(script.roots.size(), 1u);
    EXPECT_EQ(script.roots[0].root, RegistryRoot::currentUser);
    ASSERT_EQ(script.roots[0].keys.size(), 1u);
    const ScriptKey& top = script.roots[0].keys[0];
    EXPECT_EQ(top.name, "Soft'ware");
    EXPECT_EQ(top.removal, KeyRemoval::noRemove);
    ASSERT_EQ(top.values.size(), 1u);
    EXPECT_EQ(top.values[0].name, "");
    EXPECT_EQ(top.values[0].text, "It's");
    ASSERT_EQ(top.subkeys.size(), 2u);
    EXPECT_EQ(top.subkeys[0].name, "Old");
    EXPECT_EQ(top.subkeys[0].removal, KeyRemoval::deleteOnly);
    const ScriptKey& fresh = top.subkeys[1];
    EXPECT_EQ(fresh.removal, KeyRemoval::forceRemove);
    ASSERT_EQ(fresh.values.size(), 5u);
    EXPECT_EQ(fresh.values[0].kind, ValueKind::expandString);
    EXPECT_EQ(fresh.values[0].text, "%PATH%");
    EXPECT_EQ(fresh.values[1].name, "Count");
    EXPECT_EQ(fresh.values[1].kind, ValueKind::dword);
    EXPECT_EQ(fresh.values[1].number, 16u);
    EXPECT_EQ(fresh.values[2].number, 4096u);
    EXPECT_EQ(fresh.values[3].kind, ValueKind::binary);
    EXPECT_EQ(fresh.values[3].bytes, (std::vector<std::uint8_t>{0x00, 0xFF, 0x7A}));
    EXPECT_EQ(fresh.values[4].name, "Two Words");
    EXPECT_EQ(fresh.values[4].text, "");
}

TEST(registrarScript, markersAreReplacedInsideTextsWithoutChangingTheStructure)
{
    // A module path may hold quotes, braces and spaces; none of them may open or
    // close anything in the script.
    const std::string path = "C:\\It's {odd}\\A B\\x.dll";
    const RegistrarScript script = parsed(kServerScript, {{"MODULE", path}});
    const ScriptKey& classKey = script.roots[0].keys[1].subkeys[0];
    ASSERT_EQ(classKey.subkeys.size(), 2u);
    const ScriptKey& server = classKey.subkeys[1];
    EXPECT_EQ(server.name, "InprocServer32");
    ASSERT_EQ(server.values.size(), 2u);
    EXPECT_EQ(server.values[0].text, path);
    EXPECT_EQ(server.values[1].name, "ThreadingModel");
    EXPECT_EQ(server.values[1].text, "Apartment");
}

TEST(registrarScript, refusesMalformedScripts)
{
    const char* const malformed[] = {
        "HKCR { A = s 'open }",                  // quote never closed
        "HKCR { A = s 'x' ",                     // brace never closed
        "HKCR { A } }",                          // one brace too many
        "HKXX { A }",                            // unknown root
        "'HKCR' { A }",                          // quoted root
        "HKCR A",                                // no brace after the root
        "HKCR { A = q 'x' }",                    // unknown value type
        "HKCR { A = s x }",                      // value not quoted
        "HKCR { A = s }",                        // value missing
        "HKCR { val V = s 'x' }",                // value directly under the root
        "HKCR { A { val V s 'x' } }",            // value without "="
        "HKCR { A { val = s 'x' } }",            // value without a name
        "HKCR { A { val V = d '4294967296' } }", // does not fit in 32 bits
        "HKCR { A { val V = d '12x' } }",        // not a number
        "HKCR { A { val V = b 'abc' } }",        // half a byte
        "HKCR { A { val V = b 'zz' } }",         // not hex
        "HKCR { A = s '%UNKNOWN%' }",            // marker without a replacement
        "HKCR { A = s '%MODULE' }",              // marker not closed
        "HKCR { ForceRemove NoRemove A }",       // two removal markers
        "HKCR { '' }",                           // empty key name
        "HKCR { 'A\\B' }",                       // a path, not a name
        "HKCR { ForceRemove }",                  // marker without a key
        "HKCR { = s 'x' }",                      // value without a key
    };
    for (const char* text : malformed) {
        RegistrarScript script;
        std::string error;
        EXPECT_FALSE(parseRegistrarScript(text, {{"MODULE", "m"}}, script, error)) << text;
        EXPECT_FALSE(error.empty()) << text;
    }
}

TEST(registrar, registrationWritesEveryKeyAndValue)
{
    FakeRegistry registry;
    ASSERT_EQ(registerScript(parsed(kServerScript, {{"MODULE", "C:\\x.dll"}}), registry), 0);
    EXPECT_EQ(registry.paths(),
              (std::set<std::string>{"HKCR", "HKCR\\Demo.Thing.1", "HKCR\\Demo.Thing.1\\CLSID",
                                     "HKCR\\CLSID", "HKCR\\CLSID\\{1111}",
                                     "HKCR\\CLSID\\{1111}\\Programmable",
                                     "HKCR\\CLSID\\{1111}\\InprocServer32", "HKCR\\Folder",
                                     "HKCR\\Folder\\Handlers", "HKCR\\Folder\\Handlers\\{1111}"}));
    EXPECT_EQ(registry.keys["HKCR\\Demo.Thing.1\\CLSID"][""].text, "{1111}");
    EXPECT_EQ(registry.keys["HKCR\\CLSID\\{1111}\\InprocServer32"][""].text, "C:\\x.dll");
    EXPECT_EQ(registry.keys["HKCR\\CLSID\\{1111}\\InprocServer32"]["ThreadingModel"].text,
              "Apartment");
    EXPECT_TRUE(registry.keys["HKCR\\CLSID\\{1111}\\Programmable"].empty());
}

TEST(registrar, forceRemoveReplacesAKeyWholeWhereOthersAreOnlyAddedTo)
{
    FakeRegistry registry;
    registry.add("HKCR\\CLSID\\{1111}\\Stale", "Old", "x");
    registry.add("HKCR\\CLSID\\{1111}", "Extra", "y");
    registry.add("HKCR\\Demo.Thing.1\\Foreign", "Kept", "z");
    ASSERT_EQ(registerScript(parsed(kServerScript, {{"MODULE", "m"}}), registry), 0);
    EXPECT_EQ(registry.keys.count("HKCR\\CLSID\\{1111}\\Stale"), 0u);
    EXPECT_EQ(registry.keys["HKCR\\CLSID\\{1111}"].count("Extra"), 0u);
    EXPECT_EQ(registry.keys["HKCR\\Demo.Thing.1\\Foreign"]["Kept"].text, "z");
}

TEST(registrar, unregistrationFollowsTheMarkers)
{
    FakeRegistry registry;
    registry.add("HKCR\\CLSID\\{2222}");            // another class
    registry.add("HKCR\\Folder\\Handlers\\{3333}"); // another handler
    registry.add("HKCR\\CLSID\\{1111}\\Foreign");   // inside a ForceRemove key
    const RegistrarScript script = parsed(kServerScript, {{"MODULE", "m"}});
    ASSERT_EQ(registerScript(script, registry), 0);
    registry.add("HKCR\\Demo.Thing.1\\Foreign"); // added later by someone else
    ASSERT_EQ(unregisterScript(script, registry), 0);
    EXPECT_EQ(registry.paths(),
              (std::set<std::string>{"HKCR", "HKCR\\Demo.Thing.1", "HKCR\\Demo.Thing.1\\Foreign",
                                     "HKCR\\CLSID", "HKCR\\CLSID\\{2222}", "HKCR\\Folder",
                                     "HKCR\\Folder\\Handlers", "HKCR\\Folder\\Handlers\\{3333}"}));
}

TEST(registrar, deleteMarkerRemovesOnRegistrationOnly)
{
    FakeRegistry registry;
    registry.add("HKCR\\App\\Old\\Deep", "v", "x");
    const RegistrarScript script = parsed("HKCR { NoRemove App { Delete Old } }");
    ASSERT_EQ(registerScript(script, registry), 0);
    EXPECT_EQ(registry.paths(), (std::set<std::string>{"HKCR", "HKCR\\App"}));
    registry.add("HKCR\\App\\Old");
    ASSERT_EQ(unregisterScript(script, registry), 0);
    EXPECT_EQ(registry.keys.count("HKCR\\App\\Old"), 1u);
}

TEST(registrar, aFailedRegistrationAnswersItsCodeAndLeavesNothingHalfDone)
{
    FakeRegistry registry;
    registry.failCreating = "Folder\\Handlers\\{1111}";
    registry.failCode = 5; // access denied
    EXPECT_EQ(registerScript(parsed(kServerScript, {{"MODULE", "m"}}), registry), 5);
    EXPECT_EQ(registry.keys.count("HKCR\\CLSID\\{1111}"), 0u);
    EXPECT_EQ(registry.keys.count("HKCR\\Demo.Thing.1"), 0u);
}

TEST(registrar, unregistrationGoesOnPastAFailureAndAnswersIt)
{
    FakeRegistry registry;
    const RegistrarScript script = parsed(kServerScript, {{"MODULE", "m"}});
    ASSERT_EQ(registerScript(script, registry), 0);
    registry.failDeleting = "Demo.Thing.1\\CLSID";
    registry.failCode = 1234;
    EXPECT_EQ(unregisterScript(script, registry), 1234);
    EXPECT_EQ(registry.keys.count("HKCR\\CLSID\\{1111}"), 0u);
    EXPECT_EQ(registry.keys.count("HKCR\\Folder\\Handlers\\{1111}"), 0u);
}
