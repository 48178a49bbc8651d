-- Runs in ardour7-lua on the "None (Dummy)" back end. Builds a session with a stereo track fed
-- by the test tone, puts the plug-in after the tone, and checks what Ardour sees of it: identity,
-- parameters, factory programs, latency, a second instance beside it, a save/close/reload cycle,
-- and finally one export.
--
-- The export comes last and alone: Ardour 7's export sometimes corrupts its own heap (with or
-- without any plug-in), so nothing after it is trusted to the process. The caller retries a run
-- that died before printing "EXPORTED:".
--
-- Environment: OFC_DAW_RUN_DIR (fresh folder of this run), OFC_DAW_EXPECTED (ofc_expected.lua),
-- OFC_DAW_FORMAT (LV2 for the LV2 plug-in; else the VST 2.4 one).

local run_dir = assert (os.getenv ("OFC_DAW_RUN_DIR"), "OFC_DAW_RUN_DIR is not set")
local expect = dofile (assert (os.getenv ("OFC_DAW_EXPECTED"), "OFC_DAW_EXPECTED is not set"))
local daw = dofile ((os.getenv ("OFC_DAW_EXPECTED"):match ("^(.*/)") or "./") .. "daw_checks.lua")
local say, check, give_up, wait_until = daw.say, daw.check, daw.give_up, daw.wait_until
if os.getenv ("OFC_DAW_FORMAT") == "LV2" then
	for key, value in pairs (expect.lv2) do expect[key] = value end
end
local session_dir = run_dir .. "/session"
local session_name = "ofc"
local rate = 48000
local export_seconds = 2
local wav_preset = "75969a1c-3133-4694-864b-a1fa50e43348" -- Ardour's "WAV @ session-rate"


local function near (a, b)
	return math.abs (a - b) < 1e-6
end

local function param (proc, index)
	return (ARDOUR.LuaAPI.get_processor_param (proc, index, false))
end

local function all_params (proc)
	local values = {}
	for i = 1, #expect.param_names do values[i] = param (proc, i - 1) end
	return values
end

local function params_match (proc, wanted)
	for i = 1, #wanted do
		if not near (param (proc, i - 1), wanted[i]) then return false end
	end
	return true
end

local function describe_mismatch (proc, wanted)
	local text = {}
	for i = 1, #wanted do
		local got = param (proc, i - 1)
		if not near (got, wanted[i]) then
			text[#text + 1] = string.format ("#%d %s=%.7g (want %.7g)", i - 1, expect.param_names[i], got, wanted[i])
		end
	end
	return table.concat (text, ", ")
end

local function check_params (proc, wanted, what)
	local same = wait_until (function () return params_match (proc, wanted) end, 2)
	check (same, what .. (same and "" or (": " .. describe_mismatch (proc, wanted))))
end

local function find_plugin (route)
	for i = 0, 16 do
		local proc = route:nth_plugin (i)
		if proc:isnil () then break end
		if proc:to_insert ():plugin (0):name () == expect.name then return proc end
	end
	return nil
end

local function check_latency (proc, when)
	local insert = proc:to_insert ()
	local reached = wait_until (function () return insert:signal_latency () == expect.latency end, 2)
	check (reached, string.format ("%s: plug-in latency %d samples (want %d)", when, insert:signal_latency (), expect.latency))
end

local function check_identity (proc)
	local insert = proc:to_insert ()
	local plug = insert:plugin (0)
	check (plug:name () == expect.name, "name '" .. plug:name () .. "'")
	check (plug:maker () == expect.maker, "maker '" .. plug:maker () .. "'")
	check (plug:unique_id () == expect.unique_id, "unique id " .. plug:unique_id ())
	-- Parameters are the control inputs; an LV2 plug-in's numbers count its other ports too.
	local inputs = 0
	for i = 0, plug:parameter_count () - 1 do
		if plug:parameter_is_control (i) and plug:parameter_is_input (i) then inputs = inputs + 1 end
	end
	check (inputs == #expect.param_names + (expect.extra_control_inputs or 0), "parameter count " .. inputs)
	local names_ok = true
	for i = 1, #expect.param_names do
		local label = plug:parameter_label (plug:nth_parameter (i - 1, true))
		if label ~= expect.param_names[i] then
			names_ok = false
			say ("  parameter " .. (i - 1) .. " is named '" .. label .. "'")
		end
	end
	check (names_ok, "parameter names")
	local ins = insert:natural_input_streams ():n_audio ()
	local outs = insert:natural_output_streams ():n_audio ()
	check (ins == expect.inputs and outs == expect.outputs, string.format ("audio inputs %d, outputs %d", ins, outs))
end

local function load_program (proc, program)
	local plug = proc:to_insert ():plugin (0)
	local preset = plug:preset_by_label (program.label)
	check (preset.valid and plug:load_preset (preset), "load program '" .. program.label .. "'")
	check_params (proc, program.values, "values after loading '" .. program.label .. "'")
end

local function check_programs (proc)
	local plug = proc:to_insert ():plugin (0)
	for i, name in ipairs (expect.program_names) do
		local preset = plug:preset_by_label (name)
		local uri = string.format (expect.preset_uri_format, i - 1)
		check (preset.valid and preset.uri == uri, string.format ("factory program %d '%s' (%s)", i - 1, name, preset.valid and preset.uri or "missing"))
	end
	load_program (proc, expect.program)
end

local function apply_edits (proc)
	for _, edit in ipairs (expect.edits) do
		local index, value = edit[1], edit[2]
		local accepted = ARDOUR.LuaAPI.set_processor_param (proc, index, value)
		local reads = wait_until (function () return near (param (proc, index), value) end, 1)
		check (accepted and reads, string.format ("set %s to %g, read back %.7g", expect.param_names[index + 1], value, param (proc, index)))
	end
end

local function export_tone ()
	daw.export ("ofc-export", run_dir .. "/export", export_seconds * rate, wav_preset, "Ardour has no WAV export preset")
end

local function add_plugin (route, position)
	local proc = ARDOUR.LuaAPI.new_plugin (Session, expect.unique_id, ARDOUR.PluginType[expect.plugin_type], "")
	if proc:isnil () then give_up ("Ardour does not know the plug-in '" .. expect.name .. "'") end
	check (route:add_processor_by_index (proc, position, nil, true) == 0, "plug-in added to " .. route:name ())
	return proc
end

local function new_stereo_track (name)
	local track = Session:new_audio_track (2, 2, nil, 1, name, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front ()
	check (track:n_inputs ():n_audio () == 2, "stereo track " .. name)
	-- No signal from the back end: what reaches the export comes from the test tone alone.
	track:input ():disconnect_all (nil)
	return track
end

local function reloaded_plugin (name)
	local route = Session:route_by_name (name)
	if route:isnil () then give_up ("track " .. name .. " is gone after reloading") end
	local found = find_plugin (route)
	if not found then give_up ("the plug-in on " .. name .. " is gone after reloading") end
	return found
end

-- Session 1: the tone track with the plug-in after the tone, a second track with a second
-- instance; check both, save.
local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
if backend:isnil () then give_up ("no 'None (Dummy)' audio back end") end
if not create_session (session_dir, session_name, rate) then give_up ("cannot create a session") end

local track = new_stereo_track ("Tone")
local tone = ARDOUR.LuaAPI.new_luaproc (Session, "OFC Test Tone")
if tone:isnil () then give_up ("test tone generator not found") end
check (track:add_processor_by_index (tone, 0, nil, true) == 0, "test tone added")
local proc = add_plugin (track, 1)

check_identity (proc)
check_params (proc, expect.defaults, "a new instance holds program 0")
check_latency (proc, "added")
check_programs (proc)
apply_edits (proc)
local saved = all_params (proc)

local other_track = new_stereo_track ("Other")
local other = add_plugin (other_track, 0)
check_params (other, expect.defaults, "a second instance starts on program 0, untouched by the first")
load_program (other, expect.second_program)
check_params (proc, saved, "the first instance keeps its values")
local other_saved = all_params (other)

check (Session:save_state ("", false, false, false, false, false) == 0, "session saved")
proc, other, tone, track, other_track = nil, nil, nil, nil, nil
collectgarbage ()
close_session ()
say ("ok: session closed with both instances in it")

-- Session 2: Ardour restores each instance from its saved values; then one export.
if not load_session (session_dir, session_name) then give_up ("cannot reload the session") end
proc = reloaded_plugin ("Tone")
other = reloaded_plugin ("Other")
check_params (proc, saved, "first instance restored after reloading")
check_params (other, other_saved, "second instance restored after reloading")
check_latency (proc, "reloaded")

if daw.failures > 0 then give_up (daw.failures .. " check(s) failed before the export") end
export_tone ()

proc, other = nil, nil
collectgarbage ()
close_session ()
say ("SESSION CLOSED")
quit ()
