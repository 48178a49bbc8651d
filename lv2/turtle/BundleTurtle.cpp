#include "BundleTurtle.h"

#include "Lv2ArdourExtensions.h"
#include "Lv2Ports.h"
#include "OrvaneEffect.h"
#include "ParameterTable.h"
#include "ParameterText.h"
#include "ProductIdentity.h"
#include "TurtleText.h"

using turtle::number;
using turtle::quoted;
using turtle::uri;

namespace
{
const char* const kPrefixes = "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
                              "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
                              "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
                              "@prefix opts: <http://lv2plug.in/ns/ext/options#> .\n"
                              "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
                              "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
                              "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
                              "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
                              "@prefix ui: <http://lv2plug.in/ns/extensions/ui#> .\n"
                              "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
                              "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n";

std::string programName(const OrvaneEffect& effect, int program)
{
    char name[Program::kNameChars + 1] = {};
    effect.programNameIndexed(program, name);
    return name;
}

void writePortHead(std::ostream& out, const char* kinds, std::uint32_t index,
                   const std::string& symbol, const std::string& name)
{
    out << "    [\n        a " << kinds << " ;\n        lv2:index " << index
        << " ;\n        lv2:symbol " << quoted(symbol) << " ;\n        lv2:name " << quoted(name);
}

void writeAudioPorts(std::ostream& out)
{
    const char* sides[2] = {"left", "right"};
    const char* names[2] = {"Left", "Right"};
    for (std::uint32_t c = 0; c < 2; ++c)
    {
        writePortHead(out, "lv2:AudioPort, lv2:InputPort", lv2ports::kAudioIn + c,
                      std::string("in_") + sides[c], std::string("In ") + names[c]);
        out << "\n    ] ,\n";
    }
    for (std::uint32_t c = 0; c < 2; ++c)
    {
        writePortHead(out, "lv2:AudioPort, lv2:OutputPort", lv2ports::kAudioOut + c,
                      std::string("out_") + sides[c], std::string("Out ") + names[c]);
        out << "\n    ] ,\n";
    }
}

void writeParameterPort(std::ostream& out, const OrvaneEffect& effect, std::int32_t index)
{
    const ParameterInfo& row = kParameterTable[index];
    writePortHead(out, "lv2:ControlPort, lv2:InputPort", lv2ports::parameterPort(index),
                  lv2ports::parameterSymbol(index), row.name);
    out << " ;\n        lv2:default " << number(effect.getParameter(index))
        << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0";
    if (row.kind == ParameterKind::Toggle) out << " ;\n        lv2:portProperty lv2:toggled";
    if (row.kind == ParameterKind::List)
    {
        out << " ;\n        lv2:portProperty lv2:enumeration ;\n        lv2:scalePoint";
        for (int i = 0; i < row.entryCount; ++i)
            out << (i ? " ,\n            [ " : " [ ") << "rdfs:label "
                << quoted(row.entries[i].label) << " ; rdf:value " << number(row.entries[i].value)
                << " ]";
    }
    out << "\n    ] ,\n";
}

// The meters carry what the effect hands the editor; a fresh effect holds their idle values.
void writeMeterPorts(std::ostream& out, const OrvaneEffect& effect)
{
    for (const auto& meter : lv2ports::kMeterPorts)
    {
        writePortHead(out, "lv2:ControlPort, lv2:OutputPort", meter.port, meter.symbol, meter.name);
        const float idle = effect.meterValue(meter.value);
        if (meter.value == kMeterGain)
            out << " ;\n        lv2:default " << number(idle)
                << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum " << number(idle)
                << " ;\n        units:unit units:coef";
        else
            out << " ;\n        lv2:default " << number(idle) << " ;\n        lv2:minimum "
                << number(idle) << " ;\n        lv2:maximum 20.0 ;\n        units:unit units:db";
        out << "\n    ] ,\n";
    }
}

void writeLatencyPort(std::ostream& out)
{
    const int latency = OrvaneEffect::kLatencyFrames;
    writePortHead(out, "lv2:ControlPort, lv2:OutputPort", lv2ports::kLatency, "latency", "Latency");
    out << " ;\n        lv2:designation lv2:latency ;\n        lv2:portProperty lv2:integer"
        << " ;\n        lv2:minimum 0 ;\n        lv2:maximum " << latency
        << " ;\n        units:unit units:frame\n    ] ,\n";
}

// The host's bypass button (Ardour's designation): 0 turns the effect's Bypass on, so the host
// keeps running the plug-in and its bypass stays click-free and latency-aligned.
void writeEnablePort(std::ostream& out)
{
    writePortHead(out, "lv2:ControlPort, lv2:InputPort", lv2ports::kEnable, "enable", "Enable");
    out << " ;\n        lv2:designation " << uri(ardourlv2::kProcessingEnable)
        << " ;\n        lv2:portProperty lv2:toggled ;\n        lv2:default 1.0"
        << " ;\n        lv2:minimum 0.0 ;\n        lv2:maximum 1.0\n    ] .\n";
}
// Ardour publishes its extensions as a C header, with no schema: what each of its terms is, so a
// validator (and any host reading the Turtle) knows them.
void writeArdourTerms(std::ostream& out)
{
    out << "\n"
        << uri(ardourlv2::kInlineDisplayInterface) << "\n    a lv2:ExtensionData .\n"
        << uri(ardourlv2::kQueueDraw) << "\n    a lv2:Feature .\n"
        << uri(ardourlv2::kProcessingEnable) << "\n    a rdf:Property .\n";
}
} // namespace

void writeManifest(std::ostream& out, const OrvaneEffect& effect, const std::string& binary)
{
    const std::string plugin = uri(lv2uri::kPlugin);
    out << kPrefixes << plugin << "\n    a lv2:Plugin ;\n    lv2:binary <" << binary
        << "> ;\n    rdfs:seeAlso <" << kPluginTurtle << "> .\n";
    for (int p = 0; p < kNumPrograms; ++p)
        out << "\n"
            << uri(lv2uri::preset(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo " << plugin
            << " ;\n    rdfs:label " << quoted(programName(effect, p)) << " ;\n    rdfs:seeAlso <"
            << kPresetsTurtle << "> .\n";
}

// The editor needs the host's window to live in and its idle calls; it tells the host its size
// and its gestures where the host listens. The meters are sent to it as they change. A host
// that knows the screen's scale passes it as ui:scaleFactor.
void writeUserInterface(std::ostream& out, const std::string& uiBinary)
{
    out << "\n"
        << uri(lv2uri::kUi) << "\n    a ui:X11UI ;\n    ui:binary <" << uiBinary
        << "> ;\n    lv2:requiredFeature ui:parent, ui:idleInterface ;\n"
        << "    lv2:optionalFeature ui:resize, ui:touch, opts:options, urid:map ;\n"
        << "    opts:supportedOption ui:scaleFactor ;\n"
        << "    lv2:extensionData ui:idleInterface ;\n    ui:portNotification";
    bool first = true;
    const auto notify = [&](const char* symbol)
    {
        out << (first ? " [\n" : " , [\n") << "        ui:plugin " << uri(lv2uri::kPlugin)
            << " ;\n        lv2:symbol " << quoted(symbol)
            << " ;\n        ui:protocol ui:floatProtocol\n    ]";
        first = false;
    };
    for (const auto& meter : lv2ports::kMeterPorts)
        notify(meter.symbol);
    notify("enable");
    out << " .\n";
}

// The saved state (every program's values and names) needs the host's URID map; a host without
// one still runs the plug-in.
void writePluginDescription(std::ostream& out, const OrvaneEffect& effect,
                            const std::string& uiBinary)
{
    out << kPrefixes << uri(lv2uri::kPlugin)
        << "\n    a lv2:Plugin, lv2:CompressorPlugin, doap:Project ;\n"
        << "    doap:name " << quoted(identity::kProductName)
        << " ;\n    doap:maintainer [ foaf:name " << quoted(identity::kVendorName)
        << " ] ;\n    lv2:minorVersion " << identity::kVersionMinor << " ;\n    lv2:microVersion "
        << identity::kVersionPatch
        << " ;\n    lv2:optionalFeature lv2:hardRTCapable, lv2:isLive, urid:map, "
        << uri(ardourlv2::kQueueDraw) << " ;\n    lv2:extensionData state:interface, "
        << uri(ardourlv2::kInlineDisplayInterface) << " ;\n";
    if (!uiBinary.empty()) out << "    ui:ui " << uri(lv2uri::kUi) << " ;\n";
    out << "    lv2:port\n";
    writeAudioPorts(out);
    for (std::int32_t i = 0; i < kNumParams; ++i)
        writeParameterPort(out, effect, i);
    writeMeterPorts(out, effect);
    writeLatencyPort(out);
    writeEnablePort(out);
    writeArdourTerms(out);
    if (!uiBinary.empty()) writeUserInterface(out, uiBinary);
}

void writePresets(std::ostream& out, OrvaneEffect& effect)
{
    out << kPrefixes;
    for (int p = 0; p < kNumPrograms; ++p)
    {
        effect.setProgram(p);
        out << uri(lv2uri::preset(p)) << "\n    a pset:Preset ;\n    lv2:appliesTo "
            << uri(lv2uri::kPlugin) << " ;\n    rdfs:label " << quoted(programName(effect, p))
            << " ;\n    lv2:port";
        for (std::int32_t i = 0; i < kNumParams; ++i)
            out << (i ? " ,\n        [ " : " [ ") << "lv2:symbol "
                << quoted(lv2ports::parameterSymbol(i)) << " ; pset:value "
                << number(effect.getParameter(i)) << " ]";
        out << " .\n\n";
    }
    effect.setProgram(0);
}
