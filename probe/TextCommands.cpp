// Text operations: probe.exe ToLowerText TEXT, CompareText A B, ...
#include "probe/Probe.h"

namespace varnesse::probe {

std::vector<ProbeCommand> TextCommands() {
    return {
        {"ToLowerText", 1, 1, [](Services&, const Arguments& a) { PrintText(ToLowerText(a[0])); return 0; }},
        {"CompareText", 2, 2, [](Services&, const Arguments& a) { PrintInteger(CompareText(a[0], a[1])); return 0; }},
        {"JoinText", 1, 3,
         [](Services&, const Arguments& a) {
             Text joined;
             for (const Text& part : a) joined = JoinText(joined, part);
             PrintText(joined);
             return 0;
         }},
        // FindText TEXT SEARCHED IGNORECASE [START]
        {"FindText", 3, 4,
         [](Services&, const Arguments& a) {
             PrintInteger(FindText(a[0], a[1], OptionalIntegerArgument(a, 3), IntegerArgument(a[2]) != 0));
             return 0;
         }},
        {"SplitText", 1, 3,
         [](Services&, const Arguments& a) {
             PrintTextList(SplitText(a[0], OptionalArgument(a, 1), OptionalIntegerArgument(a, 2)));
             return 0;
         }},
        {"LeftText", 2, 2, [](Services&, const Arguments& a) { PrintText(LeftText(a[0], IntegerArgument(a[1]))); return 0; }},
        {"RightText", 2, 2, [](Services&, const Arguments& a) { PrintText(RightText(a[0], IntegerArgument(a[1]))); return 0; }},
        {"TextLength", 1, 1, [](Services&, const Arguments& a) { PrintInteger(TextLength(a[0])); return 0; }},
        {"NumberToText", 1, 1, [](Services&, const Arguments& a) { PrintText(NumberToText(IntegerArgument(a[0]))); return 0; }},
        {"BlankText", 1, 1, [](Services&, const Arguments& a) { PrintText(BlankText(IntegerArgument(a[0]))); return 0; }},
    };
}

}  // namespace varnesse::probe
