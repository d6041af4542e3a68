"""The long-function checker (scripts/long-functions.py) on small sources that try to fool it."""

import os
import sys
import tempfile
import textwrap
import types
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
CHECKER = os.path.join(HERE, "..", "..", "scripts", "long-functions.py")
# The checker is a script with a dash in its name, so it is loaded from its file, not imported.
checker = types.ModuleType("long_functions")
with open(CHECKER) as source:
    exec(compile(source.read(), CHECKER, "exec"), checker.__dict__)


def lengths(source):
    """Function name -> its length in lines of code, for a C++ source."""
    found = checker.Scanner("x.cpp", textwrap.dedent(source)).scan()
    result = {}
    for lines, _, name in found:
        result.setdefault(name, []).append(lines)
    return result


def body(lines):
    return "\n".join("    x%d();" % i for i in range(lines))


class Lengths(unittest.TestCase):
    def test_a_function_counts_the_lines_of_code_between_its_braces(self):
        found = lengths("""
            int f(int a)
            {
                // a comment line is not code

                return a;
            }
            """)
        self.assertEqual(found, {"f": [3]})

    def test_braces_in_comments_strings_characters_and_directives_count_for_nothing(self):
        found = lengths(r'''
            const char* g() { return "{ {"; } // }
            /* void h() { */
            #define OPEN {
            char k() { return '{'; }
            const char* r() { return R"x(})" })x"; }
            int n() { return 1'000; }
            ''')
        self.assertEqual(found, {"g": [1], "k": [1], "r": [1], "n": [1]})

    def test_members_namespaces_templates_and_operators_are_named(self):
        found = lengths("""
            namespace a { namespace b {
            class Widget : public Base {
            public:
                Widget(int x) : m_x(x), m_y{x} { go(); }
                int size() const override { return m_x; }
                bool operator()(int) const { return true; }
            private:
                int m_x = 0;
                int m_y { 1 };
            };
            template <class T, class = void>
            decltype(auto) pick(T t) { return t; }
            void Widget::draw() { paint(); }
            } }
            """)
        self.assertEqual(found, {"Widget::Widget": [1], "Widget::size": [1], "Widget::operator()": [1], "pick": [1], "Widget::draw": [1]})

    def test_a_function_made_of_lambdas_is_as_long_as_all_of_them(self):
        source = "void routes()\n{\n" + "\n".join(
            '    on("/%d", [&](const Request& req) {\n%s\n    });' % (i, body(30)) for i in range(4)) + "\n}\n"
        found = lengths(source)
        self.assertEqual(found["routes"], [2 + 4 * 32])
        self.assertEqual(found["lambda in routes"], [32] * 4)

    def test_lambdas_in_a_table_at_namespace_scope_are_functions_of_their_own(self):
        found = lengths("""
            const Record kRecords[] = {
                { "tap", [](Step& s) mutable -> bool {
                    s.go();
                    return true;
                } },
                { "home", [] { press(); } },
            };
            int values[] { 1, 2 };
            """)
        self.assertEqual(found, {"lambda in namespace scope": [4, 1]})

    def test_arrays_attributes_and_subscripts_are_not_lambdas(self):
        found = lengths("""
            void f()
            {
                int a[] { 1, 2 };
                [[maybe_unused]] int b { a[0] };
                auto c = std::array<int, 2> { a[1] };
            }
            """)
        self.assertEqual(found, {"f": [5]})


class CommandLine(unittest.TestCase):
    def test_lists_those_over_the_limit_longest_first_and_fails(self):
        with tempfile.TemporaryDirectory() as folder:
            os.makedirs(os.path.join(folder, "tests"))
            with open(os.path.join(folder, "long.cpp"), "w") as f:
                f.write("void shortOne()\n{\n%s\n}\nvoid longOne()\n{\n%s\n}\nvoid longer()\n{\n%s\n}\n" % (body(3), body(12), body(20)))
            with open(os.path.join(folder, "tests", "skipped.cpp"), "w") as f:
                f.write("void test()\n{\n%s\n}\n" % body(50))
            out = []
            real_print = checker.print if hasattr(checker, "print") else print
            checker.print = lambda *args, **kwargs: out.append(args[0]) if kwargs.get("file") is None else None
            try:
                status = checker.main(["--limit", "10", folder])
            finally:
                checker.print = real_print
            self.assertEqual(status, 1)
            self.assertEqual([line.split()[-1] for line in out], ["longer", "longOne"])
            self.assertTrue(out[0].strip().startswith("22"))


if __name__ == "__main__":
    sys.exit(unittest.main())
