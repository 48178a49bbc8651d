-- Runs in ardour7-lua on the "None (Dummy)" back end: Ardour's own bypass of the LV2 plug-in,
-- which reaches it through its processing#enable port, in two phases (OFC_DAW_PHASE).
--
-- "build": two tracks, each fed the test signal by its own generator; the LV2 plug-in on
-- "Bypassed", nothing on "Dry". Each track's two outputs feed two of the master bus's four
-- inputs with no panner between. Ardour's bypass is switched on for the plug-in; the session
-- is saved.
-- "reopen": the saved session, whose generators start together, still has the plug-in
-- bypassed and running (its latency stays); the master is exported as 32-bit float for the
-- caller to compare the two tracks.
--
-- Environment: OFC_DAW_RUN_DIR, OFC_DAW_EXPECTED (ofc_expected.lua), OFC_DAW_PHASE.

local run_dir = assert (os.getenv ("OFC_DAW_RUN_DIR"), "OFC_DAW_RUN_DIR is not set")
local expect = dofile (assert (os.getenv ("OFC_DAW_EXPECTED"), "OFC_DAW_EXPECTED is not set"))
local daw = dofile ((os.getenv ("OFC_DAW_EXPECTED"):match ("^(.*/)") or "./") .. "daw_checks.lua")
local say, check, give_up, wait_until = daw.say, daw.check, daw.give_up, daw.wait_until
local phase = os.getenv ("OFC_DAW_PHASE")
local session_dir = run_dir .. "/session"
local rate = 48000
local float_preset = "0fc3f10a-7e57-4d2a-9b61-3c5e0d3f2a01" -- ofc-float.preset

local function new_track (name, first_master_input, with_plugin)
	local track = Session:new_audio_track (2, 2, nil, 1, name, ARDOUR.PresentationInfo.max_order, ARDOUR.TrackMode.Normal, true):front ()
	track:input ():disconnect_all (nil)
	local signal = ARDOUR.LuaAPI.new_luaproc (Session, "OFC Test Signal")
	if signal:isnil () then give_up ("test signal generator not found") end
	check (track:add_processor_by_index (signal, 0, nil, true) == 0, "signal on track " .. name)
	if with_plugin then
		local proc = ARDOUR.LuaAPI.new_plugin (Session, expect.lv2.unique_id, ARDOUR.PluginType.LV2, "")
		if proc:isnil () then give_up ("Ardour does not know the LV2 plug-in") end
		check (track:add_processor_by_index (proc, 1, nil, true) == 0, "LV2 plug-in on track " .. name)
	end
	track:panner_shell ():set_bypassed (true)
	track:output ():disconnect_all (nil)
	for c = 0, 1 do
		local port = Session:master_out ():input ():audio (first_master_input + c):name ()
		check (track:output ():audio (c):connect (port) == 0, name .. " output " .. (c + 1) .. " to " .. port)
	end
end

local function bypassed_plugin ()
	local route = Session:route_by_name ("Bypassed")
	for i = 0, 4 do
		local proc = route:isnil () and nil or route:nth_plugin (i)
		if not proc or proc:isnil () then break end
		if proc:to_insert ():plugin (0):unique_id () == expect.lv2.unique_id then return proc end
	end
	give_up ("the LV2 plug-in is gone")
end

local function build ()
	local master = Session:master_out ()
	for _ = 1, 2 do master:input ():add_port ("", nil, ARDOUR.DataType ("audio")) end
	if master:n_inputs ():n_audio () ~= 4 then give_up ("cannot give the master bus four channels") end
	master:panner_shell ():set_bypassed (true)
	new_track ("Bypassed", 0, true)
	new_track ("Dry", 2, false)
	local proc = bypassed_plugin ()
	-- Ardour's bypass button, which for a plug-in with an enable port sets the port to 0 and
	-- keeps the plug-in running.
	proc:to_insert ():enable (false)
	check (not proc:to_insert ():enabled (), "Ardour shows the plug-in bypassed")
	check (wait_until (function () return proc:active () end, 2), "and keeps it running")
	sleep (0.5)
	if daw.failures > 0 then give_up (daw.failures .. " check(s) failed before saving") end
	check (Session:save_state ("", false, false, false, false, false) == 0, "session saved")
	say ("SESSION SAVED")
end

local function reopen ()
	local proc = bypassed_plugin ()
	local insert = proc:to_insert ()
	check (not insert:enabled () and wait_until (function () return proc:active () end, 2), "the plug-in is still bypassed and running after reopening")
	check (wait_until (function () return insert:signal_latency () == expect.latency end, 2),
		"a bypassed plug-in that runs keeps its latency: " .. insert:signal_latency ())
	if daw.failures > 0 then give_up (daw.failures .. " check(s) failed after reopening") end
	daw.export ("bypass", run_dir .. "/export", 2 * rate, float_preset, "Ardour does not know the float WAV preset")
end

local backend = AudioEngine:set_backend ("None (Dummy)", "", "")
if backend:isnil () then give_up ("no 'None (Dummy)' audio back end") end
if phase == "build" then
	if not create_session (session_dir, "ofc", rate) then give_up ("cannot create a session") end
	build ()
elseif phase == "reopen" then
	if not load_session (session_dir, "ofc") then give_up ("cannot reopen the session") end
	reopen ()
else
	give_up ("OFC_DAW_PHASE must be build or reopen")
end
collectgarbage ()
close_session ()
say ("SESSION CLOSED")
quit ()
