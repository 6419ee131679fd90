#include "engine/evaluator.h"

#include <cmath>
#include <cstdint>
#include <iterator>
#include <string_view>
#include <vector>

#include "engine/errors.h"
#include "engine/fp_check.h"
#include "engine/number_text.h"
#include "engine/scan_text.h"
#include "engine/scanner.h"
#include "engine/value_text.h"

namespace orvane {

namespace {

// The binary operators as the evaluator hands them to calculate.
const std::string kOperatorTexts[] = {
    "+", "-", "*", "/", "%", "^", " AND ", " XOR ", " MOD ", " OR ", ">>", "<<",
    "<=", ">=", "==", "<>", "!=", "&&", "||", ">", "<",
};
constexpr uint8_t kNoOperator = 255;

// The entry of kOperatorTexts that the cut operator text spells, in any case.
uint8_t OperatorIndex(std::string_view cut) {
    for (uint8_t k = 0; k < std::size(kOperatorTexts); ++k) {
        const std::string& op = kOperatorTexts[k];
        if (op.size() != cut.size()) continue;
        bool same = true;
        for (size_t i = 0; same && i < cut.size(); ++i) same = UpChar(cut[i]) == op[i];
        if (same) return k;
    }
    return kNoOperator;
}

const std::string& OperatorText(uint8_t index) {
    static const std::string none;
    return index < std::size(kOperatorTexts) ? kOperatorTexts[index] : none;
}

// Characters an operator can begin with: their count bounds the operators
// still to come.
bool StartsAnOperator(char c) {
    switch (c) {
        case '+': case '-': case '*': case '/': case '%': case '^': case ' ':
        case '<': case '>': case '=': case '!': case '&': case '|':
            return true;
        default:
            return false;
    }
}

// One entry of the evaluation stack: an operand and the operator after it.
struct Texpre {
    std::string Operand;
    uint8_t Operator = kNoOperator;  // index into kOperatorTexts; none for the last operand
    uint8_t Operator_Priority = 0;
    int32_t next = -1, prev = -1;  // chain of the entries still on the stack
};

// The evaluation stack of one expression_Proc call. It grows as needed, so an
// expression level takes any number of operators. Entries are chained so that
// `remove` unlinks one entry instead of moving all the following ones.
class ExpressionStack {
public:
    ExpressionStack(Session& s, std::string text) : m_s(s), m_text(std::move(text)) {
        m_entries.reserve(8);
    }

    // Cuts operands and operators off the text; returns the operator count.
    size_t Cut() {
        m_entries.emplace_back();
        while (push_operand()) {
            push_operator();
            ReserveForTheRest();
            m_entries.emplace_back();
        }
        return m_entries.size() - 1;
    }

    // Reduces the entries by priority and returns the final operand text.
    std::string Reduce() {
        const size_t n = m_entries.size();
        for (size_t i = 0; i < n; ++i) {
            m_entries[i].next = i + 1 < n ? int32_t(i + 1) : -1;
            m_entries[i].prev = int32_t(i) - 1;
        }
        int32_t head = 0;
        int32_t i = 0;
        const size_t passes = n - 1;
        for (size_t pass = 0; pass < passes; ++pass) {
            // The first entry whose operator is to be applied now: the last
            // operator, one that binds tighter than the next, or one of equal
            // priority 1 or 2 (those associate to the left; priority 3 to the right).
            for (;;) {
                const int32_t j = m_entries[size_t(i)].next;
                const Texpre& a = m_entries[size_t(i)];
                const Texpre& b = m_entries[size_t(j)];
                if (b.Operator == kNoOperator || a.Operator_Priority > b.Operator_Priority ||
                    (a.Operator_Priority == b.Operator_Priority &&
                     (a.Operator_Priority == 1 || a.Operator_Priority == 2)))
                    break;
                i = j;
            }
            const int32_t j = m_entries[size_t(i)].next;
            Texpre& a = m_entries[size_t(i)];
            Texpre& b = m_entries[size_t(j)];
            b.Operand = calculate(m_s, OperatorText(a.Operator), a.Operand, b.Operand);
            std::string().swap(a.Operand);  // spent
            // remove (i): the entry after it takes its place.
            const int32_t p = m_entries[size_t(i)].prev;
            m_entries[size_t(j)].prev = p;
            if (p >= 0) m_entries[size_t(p)].next = j;
            else head = j;
            i = p >= 0 ? p : j;
        }
        return std::move(m_entries[size_t(head)].Operand);
    }

private:
    bool push_operand() {
        size_t start, end;
        uint8_t priority;
        const bool found = Get_first_operator_pos(m_s, m_text, start, end, priority);
        Texpre& e = m_entries.back();
        if (found) {
            e.Operand.assign(m_text.view().substr(0, start - 1));
            m_text.Drop(start - 1);
            m_opLength = end - start;
            m_opPriority = priority;
            return true;
        }
        e.Operand = m_text.str();
        m_text.Drop(m_text.size());
        return false;
    }

    void push_operator() {
        Texpre& e = m_entries.back();
        e.Operator = OperatorIndex(m_text.view().substr(0, m_opLength));
        e.Operator_Priority = m_opPriority;
        m_text.Drop(m_opLength);
    }

    // A long expression reserves, once, room for as many entries as the rest
    // of its text can still have operators, instead of growing step by step
    // (each step copying every entry so far).
    void ReserveForTheRest() {
        if (m_reserved || m_entries.size() < m_entries.capacity() || m_entries.size() < 4096) return;
        m_reserved = true;
        const std::string_view rest = m_text.view();
        size_t more = 1;
        for (char c : rest) more += StartsAnOperator(c);
        m_entries.reserve(m_entries.size() + more);
    }

    Session& m_s;
    ScanText m_text;
    std::vector<Texpre> m_entries;
    size_t m_opLength = 0;
    uint8_t m_opPriority = 0;
    bool m_reserved = false;
};

// Position (0-based) of the first "=" that makes a numeric assignment, or npos.
size_t AssignmentPos(const std::string& st) {
    const size_t p = st.find('=');
    if (p == std::string::npos) return p;
    auto second = [&](const char* two) {
        const size_t q = st.find(two);
        return q != std::string::npos && q + 1 == p;
    };
    if (second("<=") || second(">=") || second("!=")) return std::string::npos;
    if (st.find("==") == p) return std::string::npos;
    return p;
}

size_t FindStrAssign(const std::string& st) {
    for (size_t i = st.find(':'); i != std::string::npos && i + 5 <= st.size();
         i = st.find(':', i + 1)) {
        if (UpChar(st[i + 1]) == 'S' && UpChar(st[i + 2]) == 'T' && UpChar(st[i + 3]) == 'R' &&
            st[i + 4] == '=')
            return i;
    }
    return std::string::npos;
}

bool IsZero(int64_t v) { return v == 0; }

std::string Bool(bool b) { return b ? "1" : "0"; }

long double Power(long double L, long double R) {
    // rint keeps an integral value as it is and moves any other: the same
    // test as trunc, without switching the x87 rounding mode twice per call.
    if (std::rint(R) == R && std::fabs(R) <= 2147483647.0L) {
        // Repeated squaring for integral exponents.
        const long long e = std::llrint(R);
        unsigned long long y = static_cast<unsigned long long>(e < 0 ? -e : e);
        long double base = L, result = 1;
        while (y > 0) {
            while ((y & 1) == 0) {
                y >>= 1;
                base = FMul(base, base);
            }
            --y;
            result = FMul(result, base);
        }
        if (e < 0) result = FDiv(1, result);
        return result;
    }
    if (L == 0) return 0;
    const long double lnL = Checked([&] { return std::log(L); });
    const long double prod = FMul(R, lnL);
    return Checked([&] { return std::exp(prod); });
}

}  // namespace

std::string calculate(Session& s, const std::string& op, std::string& left, std::string& right) {
    const long double L = strtovalue(s, left);
    if (op == "&&") {
        if (IsZero(Trunc(L))) return "0";
        const long double R = strtovalue(s, right);
        return Bool(!IsZero(Trunc(R)));
    }
    const long double R = strtovalue(s, right);
    if (op == "+") return FloatToStr(FAdd(L, R));
    if (op == "-") return FloatToStr(FSub(L, R));
    if (op == "*") return FloatToStr(FMul(L, R));
    if (op == "/") return FloatToStr(FDiv(L, R));
    if (op == "^") return FloatToStr(Power(L, R));
    if (op == "%" || op == " MOD ") {
        const int64_t a = Round(L), b = Round(R);
        if (b == 0) throw EDivByZero();
        // The remainder has the sign of the dividend; INT64_MIN by -1 is 0.
        const int64_t r = b == -1 ? 0 : a % b;
        return FloatToStr(static_cast<long double>(r));
    }
    if (op == " AND ") return FloatToStr(static_cast<long double>(Trunc(L) & Trunc(R)));
    if (op == " XOR ") return FloatToStr(static_cast<long double>(Trunc(L) ^ Trunc(R)));
    if (op == " OR ") return FloatToStr(static_cast<long double>(Trunc(L) | Trunc(R)));
    if (op == ">>" || op == "<<") {
        const uint64_t a = static_cast<uint64_t>(Trunc(L));
        const unsigned n = static_cast<unsigned>(Trunc(R) & 63);
        const uint64_t r = op == ">>" ? a >> n : a << n;
        return FloatToStr(static_cast<long double>(static_cast<int64_t>(r)));
    }
    if (op == "<") return Bool(L < R);
    if (op == ">") return Bool(L > R);
    if (op == "<=") return Bool(L <= R);
    if (op == ">=") return Bool(L >= R);
    if (op == "==") return Bool(L == R);
    if (op == "<>" || op == "!=") return Bool(L != R);
    if (op == "||") return Bool(!IsZero(Trunc(L)) || !IsZero(Trunc(R)));
    return right;
}

bool expression_Proc(Session& s, const std::string& statement, std::string& answer) {
    return expression_Proc(s, std::string(statement), answer);
}

bool expression_Proc(Session& s, std::string&& statement, std::string& answer) {
    Session::DepthGuard guard(s);
    std::string name;
    bool assign = false;
    std::string expression;

    if (const size_t p = FindStrAssign(statement); p != std::string::npos) {
        name = statement.substr(0, p);
        if (!s.curly_brackets_Process(name)) return false;
        answer = s.String_Proc(statement.substr(p + 5), true, s.String_Proc_success);
        s.Assign_variable_Single(name, answer, true);
        return true;
    }
    if (const size_t p = AssignmentPos(statement); p != std::string::npos) {
        name = statement.substr(0, p);
        if (!s.curly_brackets_Process(name)) return false;
        expression = statement.substr(p + 1);
        assign = true;
    } else {
        expression = std::move(statement);
    }

    s.curly_brackets_Process(expression);
    ExpressionStack stack(s, std::move(expression));
    stack.Cut();
    std::string result = stack.Reduce();
    strtovalue(s, result);
    answer = result;
    if (assign) s.Assign_variable_Single(name, answer, false);
    return true;
}

bool Expression_execute(Session& s, const std::string& statement, std::string& answer) {
    const bool ok = expression_Proc(s, statement, answer);
    s.Tmp_answer_1 = answer;
    return ok;
}

}  // namespace orvane
