-- Runs in ardour7-lua on the "None (Dummy)" back end: the VST3 plug-in beside the VST 2.4 one, in
-- two phases (OFC_DAW_PHASE), each its own process.
--
-- "build": a session with two tracks, each fed the same test signal by its own generator, the
-- VST 2.4 plug-in on one and the VST3 on the other, both on the same program with the same edits.
-- Each track's two outputs feed two of the master bus's four inputs, with no panner between, so
-- one export of the master holds both plug-ins' outputs untouched. Checks the VST3 as Ardour sees
-- it and the values both read back, saves, and prints the values the VST3's saved state must hold.
-- Last, alone, it chooses a factory program of the VST3 from Ardour's preset list.
--
-- "reopen": opens the saved session (whose VST3 state the caller has given a renamed program),
-- checks that both instances restored their values and that Ardour lists the renamed program,
-- saves again, then exports the master as 32-bit float without dither for the caller to compare.
-- As in session_check.lua, the export comes last: Ardour may abort after it.
--
-- Environment: OFC_DAW_RUN_DIR, OFC_DAW_EXPECTED (ofc_expected.lua), OFC_DAW_PHASE,
-- OFC_DAW_RENAMED (reopen: the renamed program's name).

local run_dir = assert (os.getenv ("OFC_DAW_RUN_DIR"), "OFC_DAW_RUN_DIR is not set")
local expect = dofile (assert (os.getenv ("OFC_DAW_EXPECTED"), "OFC_DAW_EXPECTED is not set"))
local daw = dofile ((os.getenv ("OFC_DAW_EXPECTED"):match ("^(.*/)") or "./") .. "daw_checks.lua")
local say, check, give_up, wait_until = daw.say, daw.check, daw.give_up, daw.wait_until
local phase = os.getenv ("OFC_DAW_PHASE")
local session_dir = run_dir .. "/session"
local session_name = "ofc"
local rate = 48000
local export_seconds = 3
local float_preset = "0fc3f10a-7e57-4d2a-9b61-3c5e0d3f2a01" -- ofc-float.preset beside this script
local formats = {
	{ track = "VST 2.4", unique_id = expect.unique_id, plugin_type = expect.plugin_type, first_master_input = 0 },
	{ track = "VST3", unique_id = expect.vst3.unique_id, plugin_type = expect.vst3.plugin_type, first_master_input = 2 },
}
-- After the program: a lower threshold, a faster attack and other make-up gain, so both keep
-- compressing the signal's loud bursts.
local edits = { { 3, 0.62 }, { 6, 0.2 }, { 10, 0.56 } }


-- What a parameter holds once the plug-in has taken a value: the nearest binary32.
local function single (value)
	return (string.unpack ("f", string.pack ("f", value)))
end

local function param (proc, index)
	return (ARDOUR.LuaAPI.get_processor_param (proc, index, false))
end

-- The program's values with the edits over them: what both instances must hold.
local function wanted_values ()
	local values = {}
	for i, v in ipairs (expect.program.values) do values[i] = v end
	for _, edit in ipairs (edits) do values[edit[1] + 1] = edit[2] end
	return values
end

local function check_values (proc, wanted, what)
	local function mismatch ()
		local text = {}
		for i, v in ipairs (wanted) do
			if math.abs (param (proc, i - 1) - v) > 1e-6 then
				text[#text + 1] = string.format ("#%d=%.7g (want %.7g)", i - 1, param (proc, i - 1), v)
			end
		end
		return table.concat (text, ", ")
	end
	local same = wait_until (function () return mismatch () == "" end, 2)
	check (same, what .. (same and "" or (": " .. mismatch ())))
end

local function set_values (proc, values, what)
	local accepted = true
	for i, v in ipairs (values) do
		accepted = ARDOUR.LuaAPI.set_processor_param (proc, i - 1, v) and accepted
	end
	check (accepted, what .. ": Ardour took every value")
end

local function find_plugin (route, format)
	for i = 0, 16 do
		local proc = route:nth_plugin (i)
		if proc:isnil () then break end
		if proc:to_insert ():plugin (0):unique_id () == format.unique_id then return proc end
	end
	return nil
end

local function check_vst3_identity (proc)
	local insert = proc:to_insert ()
	local plug = insert:plugin (0)
	check (plug:name () == expect.name and plug:maker () == expect.maker,
		string.format ("VST3 '%s' by '%s'", plug:name (), plug:maker ()))
	check (plug:parameter_count () == #expect.param_names, "VST3 parameter count " .. plug:parameter_count ())
	local wrong = {}
	for i, name in ipairs (expect.param_names) do
		local label = plug:parameter_label (plug:nth_parameter (i - 1, true))
		if label ~= (expect.vst3.hidden_parameters[i] or name) then wrong[#wrong + 1] = (i - 1) .. " '" .. label .. "'" end
	end
	check (#wrong == 0, "VST3 parameter names" .. (#wrong == 0 and "" or (": " .. table.concat (wrong, ", "))))
	local ins, outs = insert:natural_input_streams ():n_audio (), insert:natural_output_streams ():n_audio ()
	check (ins == expect.inputs and outs == expect.outputs, string.format ("VST3 audio inputs %d, outputs %d", ins, outs))
	check (wait_until (function () return insert:signal_latency () == expect.latency end, 2),
		"VST3 latency " .. insert:signal_latency ())
end

local function new_track (format)
	local master = Session:master_out ()
	local track = Session:new_audio_track (2, 2, nil, 1, format.track, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front ()
	track:input ():disconnect_all (nil)
	local signal = ARDOUR.LuaAPI.new_luaproc (Session, "OFC Test Signal")
	if signal:isnil () then give_up ("test signal generator not found") end
	local proc = ARDOUR.LuaAPI.new_plugin (Session, format.unique_id, ARDOUR.PluginType[format.plugin_type], "")
	if proc:isnil () then give_up ("Ardour does not know the " .. format.track .. " plug-in") end
	check (track:add_processor_by_index (signal, 0, nil, true) == 0 and track:add_processor_by_index (proc, 1, nil, true) == 0,
		"signal and plug-in on track " .. format.track)
	-- A panner, even centred, may scale the channels; bypassed, it passes them as they are.
	track:panner_shell ():set_bypassed (true)
	track:output ():disconnect_all (nil)
	for c = 0, 1 do
		local port = master:input ():audio (format.first_master_input + c):name ()
		check (track:output ():audio (c):connect (port) == 0, format.track .. " output " .. (c + 1) .. " to " .. port)
	end
	return proc
end

local function build ()
	local master = Session:master_out ()
	for _ = 1, 2 do master:input ():add_port ("", nil, ARDOUR.DataType ("audio")) end
	if master:n_inputs ():n_audio () ~= 4 or master:n_outputs ():n_audio () ~= 4 then
		give_up ("cannot give the master bus four channels")
	end
	master:panner_shell ():set_bypassed (true)
	local v2 = new_track (formats[1])
	local v3 = new_track (formats[2])
	check_vst3_identity (v3)

	local v2_plug = v2:to_insert ():plugin (0)
	local preset = v2_plug:preset_by_label (expect.program.label)
	check (preset.valid and v2_plug:load_preset (preset), "VST 2.4: program '" .. expect.program.label .. "' loaded")
	check_values (v2, expect.program.values, "VST 2.4: the program's values")
	-- Choosing a VST3 program from Ardour's preset list is checked last, on its own; here the VST3
	-- takes the same program's values through its parameters.
	set_values (v3, expect.program.values, "VST3: the program's values set")
	check_values (v3, expect.program.values, "VST3: the program's values read back")
	for _, proc in ipairs ({ v2, v3 }) do
		for _, edit in ipairs (edits) do ARDOUR.LuaAPI.set_processor_param (proc, edit[1], edit[2]) end
	end
	check_values (v2, wanted_values (), "VST 2.4: edits read back")
	check_values (v3, wanted_values (), "VST3: edits read back")
	-- Ardour hands a VST3 its parameter changes with the next block it processes, and saves the
	-- state the plug-in reports: let the engine run a few blocks first.
	if not AudioEngine:running () then give_up ("the audio engine is not running") end
	sleep (0.5)
	if daw.failures > 0 then give_up (daw.failures .. " check(s) failed before saving") end
	check (Session:save_state ("", false, false, false, false, false) == 0, "session saved")
	local state_values = {}
	for i, v in ipairs (wanted_values ()) do state_values[i] = string.format ("%.9g", single (v)) end
	say ("STATE VALUES: " .. table.concat (state_values, " "))
	say ("SESSION SAVED")

	local v3_plug = v3:to_insert ():plugin (0)
	local second = v3_plug:preset_by_label (expect.second_program.label)
	local number
	for i, name in ipairs (expect.program_names) do
		if name == expect.second_program.label then number = i - 1 end
	end
	local uri = string.format (expect.vst3.preset_uri_format, number)
	check (second.valid and second.uri == uri, "VST3: Ardour lists '" .. expect.second_program.label .. "' as " .. uri)
	say ("choosing the VST3's program '" .. expect.second_program.label .. "' from Ardour's preset list")
	check (v3_plug:load_preset (second), "VST3: program loaded")
	check_values (v3, expect.second_program.values, "VST3: the chosen program's values")
	if daw.failures == 0 then say ("PROGRAM CHOSEN") end
end

local function export_master ()
	daw.export ("formats", run_dir .. "/export", export_seconds * rate, float_preset, "Ardour does not know the float WAV preset")
end

local function reopen ()
	local renamed = assert (os.getenv ("OFC_DAW_RENAMED"), "OFC_DAW_RENAMED is not set")
	local procs = {}
	for i, format in ipairs (formats) do
		local route = Session:route_by_name (format.track)
		procs[i] = not route:isnil () and find_plugin (route, format)
		if not procs[i] then give_up ("the " .. format.track .. " plug-in is gone after reopening") end
		check_values (procs[i], wanted_values (), format.track .. ": values restored")
	end
	check (Session:master_out ():n_outputs ():n_audio () == 4, "the master bus kept its four channels")
	local listed = procs[2]:to_insert ():plugin (0):preset_by_label (renamed)
	check (listed.valid, "VST3: Ardour lists the program renamed in the saved state as '" .. renamed .. "'")
	if daw.failures > 0 then give_up (daw.failures .. " check(s) failed after reopening") end
	check (Session:save_state ("", false, false, false, false, false) == 0, "session saved again")
	say ("SESSION SAVED")
	export_master ()
end

local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
if backend:isnil () then give_up ("no 'None (Dummy)' audio back end") end
if phase == "build" then
	if not create_session (session_dir, session_name, rate) then give_up ("cannot create a session") end
	build ()
elseif phase == "reopen" then
	if not load_session (session_dir, session_name) then give_up ("cannot reopen the session") end
	reopen ()
else
	give_up ("OFC_DAW_PHASE must be build or reopen")
end
collectgarbage ()
close_session ()
say ("SESSION CLOSED")
quit ()
