Y0 = S & A0 &  /G_N +
		 /S & B0 &  /G_N +
		A0 & B0 &  /G_N
				; 3 
Y1 = S & A1 &  /G_N +
		 /S & B1 &  /G_N +
		A1 & B1 &  /G_N
				; 3 
Y2 = S & A2 &  /G_N +
		 /S & B2 &  /G_N +
		A2 & B2 &  /G_N
				; 3 
Y3 = S & A3 &  /G_N +
		 /S & B3 &  /G_N +
		A3 & B3 &  /G_N
				; 3 


$__SYMTAB_INFO:
Design_Name: mux
Gal_Type: 0
Gal_Mode: 1
Clk_Pin: 1
User_ID: __LEER

Pin_Node: S Pin_or_Node: 1 Number: 1 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A0 Pin_or_Node: 1 Number: 2 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A1 Pin_or_Node: 1 Number: 3 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A2 Pin_or_Node: 1 Number: 4 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: A3 Pin_or_Node: 1 Number: 5 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B0 Pin_or_Node: 1 Number: 6 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B1 Pin_or_Node: 1 Number: 7 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B2 Pin_or_Node: 1 Number: 8 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: B3 Pin_or_Node: 1 Number: 9 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: GND Pin_or_Node: 1 Number: 10 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
Pin_Node: G_N Pin_or_Node: 1 Number: 11 Pol: 1 IO: 1 Reg: -1 Trst: -1 Res: 0
Pin_Node: Y0 Pin_or_Node: 1 Number: 12 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y1 Pin_or_Node: 1 Number: 13 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y2 Pin_or_Node: 1 Number: 14 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: Y3 Pin_or_Node: 1 Number: 15 Pol: 1 IO: 2 Reg: 0 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 16 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 17 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 18 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: NC Pin_or_Node: 1 Number: 19 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 0
Pin_Node: VCC Pin_or_Node: 1 Number: 20 Pol: 1 IO: 4 Reg: -1 Trst: -1 Res: 1
