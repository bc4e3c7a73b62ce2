// Expressions and member access.
//
// A reference `List.optSelectionMenu(1).Enabled` is resolved step by step: the base name (a script
// variable, an object of the host, a constructor, True/False/Nothing, an enumeration member), then
// each member: the host's own members first (sizes, pixels, children), then the control's
// dispatch interface, and `p_` names through the control's private read-out.
#include <array>

#include "tavrin/automation/AutomationError.h"
#include "tavrin/automation/Conversions.h"
#include "tavrin/platform/Font.h"
#include "tavrin/platform/Picture.h"
#include "tools/tavrin-run/Interpreter.h"
#include "tools/tavrin-run/Values.h"

namespace tavrin::run {

namespace {

// Public members of the controls: a name here that the control does not answer is a feature that
// has not landed yet rather than a typing mistake in the script.
constexpr std::array kContractMembers = {"SetImageList",
                                         "AddItem",
                                         "InsertItem",
                                         "ModifyItem",
                                         "RemoveItem",
                                         "FindFirst",
                                         "Clear",
                                         "Order",
                                         "Alignment",
                                         "Appearance",
                                         "BackNormal",
                                         "BackSelected",
                                         "BackSelectedG1",
                                         "BackSelectedG2",
                                         "BorderColor",
                                         "BorderWidth",
                                         "BoxBorder",
                                         "BoxOffset",
                                         "BoxRadius",
                                         "Enabled",
                                         "LeftMargin",
                                         "RequiredField",
                                         "Theme",
                                         "Focus",
                                         "Font",
                                         "FontNormal",
                                         "FontSelected",
                                         "HoverSelection",
                                         "GotFocusEffect",
                                         "GotFocusEffectColor",
                                         "ItemHeight",
                                         "ItemHeightAuto",
                                         "ItemOffset",
                                         "ItemTextLeft",
                                         "ListCount",
                                         "ListIndex",
                                         "MouseIcon",
                                         "MousePointer",
                                         "OrderType",
                                         "SelectedCount",
                                         "SelectionPicture",
                                         "SelectMode",
                                         "SelectModeStyle",
                                         "ShowMenu",
                                         "TopIndex",
                                         "WordWrap",
                                         "ItemText",
                                         "ItemIcon",
                                         "ItemIconSelected",
                                         "ItemSelected",
                                         "StartEdit",
                                         "EndEdit",
                                         "About",
                                         "Value",
                                         "Min",
                                         "Max",
                                         "SmallChange",
                                         "LargeChange",
                                         "dFormat",
                                         "hwnd"};

bool isContractMember(std::string_view name) {
    for (const char* m : kContractMembers)
        if (namesEqual(m, name)) return true;
    return false;
}

bool isPrivateName(std::string_view name) {
    return name.size() > 2 && (name[0] == 'p' || name[0] == 'P') && name[1] == '_';
}

} // namespace

Variant Interpreter::eval(const Expr& e) {
    switch (e.kind) {
    case Expr::Kind::Literal:
        return e.literal;
    case Expr::Kind::Enum: {
        if (auto v = enumValue(e.op)) return Variant::i4(*v);
        throw ScriptError(line_, "unknown enumeration member [" + e.op + "]");
    }
    case Expr::Kind::Unary:
        return negate(eval(e.left));
    case Expr::Kind::Binary: {
        // A chain `a + b + c ...` leans left as deep as it is long: walk down its spine instead of
        // recursing, then apply the operators from the innermost up. Right operands nest only as
        // deep as the parser allows.
        std::vector<const Expr*> spine;
        const Expr* node = &e;
        for (; node->kind == Expr::Kind::Binary; node = node->left.get())
            spine.push_back(node);
        Variant value = eval(*node);
        for (auto it = spine.rbegin(); it != spine.rend(); ++it)
            value = applyOperator((*it)->op, value, eval((*it)->right));
        return value;
    }
    case Expr::Kind::Ref:
        return evalRef(e);
    }
    return Variant();
}

Variant Interpreter::evalRef(const Expr& e) {
    Variant v = base(e.path.front());
    for (size_t i = 1; i < e.path.size(); ++i)
        v = member(v, e.path[i], InvokeKind::PropertyGet, nullptr);
    return v;
}

Variant Interpreter::resolvePrefix(const std::vector<Segment>& path) {
    Variant v = base(path.front());
    for (size_t i = 1; i + 1 < path.size(); ++i)
        v = member(v, path[i], InvokeKind::PropertyGet, nullptr);
    return v;
}

Variant Interpreter::base(const Segment& seg) {
    const std::string& name = seg.name;
    if (!seg.hasArgs) {
        if (namesEqual(name, "True")) return Variant::boolean(true);
        if (namesEqual(name, "False")) return Variant::boolean(false);
        if (namesEqual(name, "Nothing")) return Variant::object(nullptr);
        auto var = variables_.find(toLower(name));
        if (var != variables_.end()) return var->second;
    }
    static const char* const constructors[] = {"ImageList", "Picture", "LoadPicture", "Font"};
    for (const char* c : constructors)
        if (namesEqual(name, c)) return construct(seg);
    static const char* const objects[] = {"List", "Bar", "Host", "frmAbout"};
    for (const char* o : objects) {
        if (!namesEqual(name, o)) continue;
        if (seg.hasArgs) throw ScriptError(line_, std::string(o) + " takes no arguments");
        if (auto obj = session_->object(name)) return Variant::object(obj);
        if (namesEqual(name, "frmAbout")) throw ScriptError(line_, "frmAbout is not shown");
        throw ScriptError(line_, std::string("there is no ") + o + " yet: use `new " +
                                     (namesEqual(name, "Bar") ? "XPVScroll" : "Tavrin") +
                                     "` or `load` first");
    }
    if (!seg.hasArgs)
        if (auto v = enumValue(name)) return Variant::i4(*v);
    throw ScriptError(line_, "unknown name " + name);
}

Variant Interpreter::construct(const Segment& seg) {
    std::vector<NamedArg> named;
    std::vector<Variant> a = evalArgs(seg.args, named);
    auto arity = [&](size_t low, size_t high, const char* usage) {
        if (!named.empty() || a.size() < low || a.size() > high)
            throw ScriptError(line_, std::string("usage: ") + usage);
    };
    if (namesEqual(seg.name, "ImageList")) {
        arity(3, 4, "ImageList(W, H, N [, ScaleMode])");
        int16_t scale = a.size() > 3 ? toI2(a[3]) : int16_t{1};
        return Variant::object(session_->makeImageList(toI4(a[0]), toI4(a[1]), toI4(a[2]), scale));
    }
    if (namesEqual(seg.name, "Picture")) {
        arity(3, 3, "Picture(W, H, RGB)");
        return Variant::object(
            platform::Picture::solid(toI4(a[0]), toI4(a[1]), static_cast<uint32_t>(toI4(a[2]))));
    }
    if (namesEqual(seg.name, "LoadPicture")) {
        arity(1, 1, "LoadPicture(\"file.png\")");
        std::string path = scriptPath(toUtf8Text(a[0])), error;
        auto picture = session_->loadPicture(path, &error);
        if (!picture)
            throw AutomationError(err::FileNotFound, "File not found: " + path + " (" + error + ")");
        return Variant::object(picture);
    }
    arity(2, 2, "Font(\"Name\", Size)");
    auto font = std::make_shared<platform::StdFont>();
    font->SetName(toText(a[0]));
    font->SetSize(toR8(a[1]));
    return Variant::object(font);
}

std::vector<Variant> Interpreter::evalArgs(const std::vector<Arg>& args, std::vector<NamedArg>& named) {
    std::vector<Variant> positional;
    for (const Arg& a : args) {
        if (!a.name.empty())
            named.push_back({a.name, eval(a.value)});
        else
            positional.push_back(a.value ? eval(a.value) : Variant::missing());
    }
    return positional;
}

Variant Interpreter::member(const Variant& object, const Segment& seg, InvokeKind kind,
                            const Variant* value) {
    if (!isObject(object) || !object.asObject())
        throw ScriptError(line_, "." + seg.name + " needs an object, got " + quotedText(object));
    Dispatchable& d = *object.asObject();
    CallArgs call;
    call.positional = evalArgs(seg.args, call.named);
    auto* host = dynamic_cast<HostObject*>(&d);
    if (!host) {
        if (value) call.positional.push_back(*value);
        return invokeMember(d, d.typeName(), seg.name, kind, std::move(call));
    }
    if (!host->alive()) throw ScriptError(line_, host->path() + " belongs to a control that was terminated");
    Variant out;
    if (host->get(seg.name, call.positional, out)) {
        if (kind == InvokeKind::PropertyGet || kind == InvokeKind::Method) return out;
        throw ScriptError(line_, host->path() + "." + seg.name + " is read-only");
    }
    Dispatchable* target = host->target();
    if (!target) missingMember(host->path(), seg.name);
    if (value) call.positional.push_back(*value);
    return invokeMember(*target, host->path(), seg.name, kind, std::move(call));
}

Variant Interpreter::invokeMember(Dispatchable& d, const std::string& owner, const std::string& name,
                                  InvokeKind kind, CallArgs call) {
    if (isPrivateName(name)) {
        if (kind != InvokeKind::PropertyGet)
            throw ScriptError(line_, owner + "." + name + " is private: read-only");
        Variant out;
        if (d.readPrivate(name, out)) return out;
        throw ScriptError(line_, owner + " has no readable private field " + name + " (not available yet?)");
    }
    const DispatchTable& table = d.dispatchTable();
    auto has = [&](InvokeKind k) { return table.find(name, k) != nullptr; };
    InvokeKind k = kind;
    if (!has(k)) {
        // A property read as a method call and back; a let of an object property and back.
        if (kind == InvokeKind::PropertyGet && has(InvokeKind::Method))
            k = InvokeKind::Method;
        else if (kind == InvokeKind::Method && has(InvokeKind::PropertyGet))
            k = InvokeKind::PropertyGet;
        else if (kind == InvokeKind::PropertyLet && has(InvokeKind::PropertySet))
            k = InvokeKind::PropertySet;
        else if (kind == InvokeKind::PropertySet && has(InvokeKind::PropertyLet))
            k = InvokeKind::PropertyLet;
        else if (table.hasName(name))
            throw ScriptError(
                line_, owner + "." + name +
                           (kind == InvokeKind::PropertyGet ? " cannot be read" : " cannot be written"));
        else
            missingMember(owner, name);
    }
    try {
        return d.invoke(name, k, std::move(call));
    } catch (const AutomationError& e) {
        if (e.number() != err::MemberNotFound || expectedError_ == err::MemberNotFound) throw;
        throw ScriptError(line_, owner + "." + name + " is not available yet (the control raised error 438)");
    }
}

void Interpreter::missingMember(const std::string& owner, const std::string& name) {
    if (isContractMember(name))
        throw ScriptError(line_, owner + "." + name +
                                     " is part of the control's interface but is not available yet");
    throw ScriptError(line_, owner + " has no member " + name);
}

void Interpreter::assign(const Stmt& s, bool setObject) {
    const std::vector<Segment>& path = s.target.path;
    Variant value = eval(s.exprs[0]);
    if (path.size() == 1) {
        const Segment& seg = path.front();
        if (seg.hasArgs || session_->object(seg.name) || namesEqual(seg.name, "frmAbout") ||
            namesEqual(seg.name, "List") || namesEqual(seg.name, "Bar") || namesEqual(seg.name, "Host"))
            throw ScriptError(line_, "cannot assign to " + std::string(s.target.source));
        if (setObject && !isObject(value)) throw ScriptError(line_, "`set` needs an object");
        variables_[toLower(seg.name)] = value;
        return;
    }
    Variant object = resolvePrefix(path);
    member(object, path.back(), setObject ? InvokeKind::PropertySet : InvokeKind::PropertyLet, &value);
}

void Interpreter::call(const Stmt& s) {
    const std::vector<Segment>& path = s.target.path;
    if (path.size() == 1) throw ScriptError(line_, "unknown statement " + path.front().name);
    Segment seg = path.back();
    seg.args = s.args;
    member(resolvePrefix(path), seg, InvokeKind::Method, nullptr);
}

int32_t Interpreter::evalInt(const ExprPtr& e) {
    return toI4(eval(e));
}
double Interpreter::evalNumber(const ExprPtr& e) {
    return toR8(eval(e));
}
std::string Interpreter::evalText(const ExprPtr& e) {
    return toUtf8Text(eval(e));
}

} // namespace tavrin::run
